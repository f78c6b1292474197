#pragma once
// The runtime's control arrays: controls, menu items or line objects sharing
// one name and told apart by an index, Label2(1), PopUp_EllipsoidList(3).
// Elements that exist in the form's design are registered with setElement();
// element 0 is usually the design's hidden template, from which load(i) makes
// element i at run time and unload(i) takes it away again.
//
// What a new element copies from the template is the loader's business (a
// widget copies its geometry, font and caption, a menu item its caption and
// place in the menu), so one template serves widgets, menu items and the
// overlay line objects alike. The array owns nothing: elements live in their
// Qt parent (a form, a menu), and unload() deletes the element it made.
//
// Errors are the runtime's: an index with no element raises 340, loading an
// index twice 360, unloading an element of the design 362.
#include "platform/vb_error.h"
#include "platform/vb_runtime_errors.h"

#include <QString>

#include <functional>
#include <vector>

namespace ControlArrayError {
enum : long {
    ElementMissing = 340,
    AlreadyLoaded = 360,
    DesignElement = 362,
};
}

template <class T> class ControlArray
{
public:
    // Makes element `index` from the template; the loader names, places and
    // connects it.
    using Loader = std::function<T*(T& templateElement, int index)>;
    // Takes an element away again; by default it is deleted.
    using Unloader = std::function<void(T* element)>;

    ControlArray() = default;
    explicit ControlArray(QString name)
        : m_name(std::move(name))
    {
    }

    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

    // Registers an element of the design; it cannot be unloaded.
    void setElement(int index, T* element)
    {
        ensureSize(index);
        m_elements[size_t(index)] = { element, true };
    }

    void setLoader(Loader loader, Unloader unloader = {})
    {
        m_loader = std::move(loader);
        m_unloader = std::move(unloader);
    }

    // The runtime's Load: a new element `index` copied from element 0.
    T& load(int index)
    {
        if (exists(index)) {
            raise(ControlArrayError::AlreadyLoaded, QStringLiteral("Object already loaded"));
        }
        if (index < 0 || !exists(0) || !m_loader) {
            raiseMissing(index);
        }
        T* element = m_loader(*m_elements[0].element, index);
        ensureSize(index);
        m_elements[size_t(index)] = { element, false };
        return *element;
    }

    // The runtime's Unload of one element made by load().
    void unload(int index)
    {
        if (!exists(index)) {
            raiseMissing(index);
        }
        Slot& slot = m_elements[size_t(index)];
        if (slot.design) {
            raise(ControlArrayError::DesignElement,
                QStringLiteral("Can't unload controls created at design time"));
        }
        T* element = slot.element;
        slot = {};
        while (!m_elements.empty() && !m_elements.back().element) {
            m_elements.pop_back();
        }
        if (m_unloader) {
            m_unloader(element);
        } else {
            delete element;
        }
    }

    // Unloads every element made at run time (the design's stay), highest first.
    void unloadAll()
    {
        for (int i = UBound(); i >= 0; --i) {
            if (exists(i) && !m_elements[size_t(i)].design) {
                unload(i);
            }
        }
    }

    bool exists(int index) const
    {
        return index >= 0 && size_t(index) < m_elements.size() && m_elements[size_t(index)].element;
    }

    T& operator[](int index) const
    {
        if (!exists(index)) {
            raiseMissing(index);
        }
        return *m_elements[size_t(index)].element;
    }
    T* at(int index) const { return exists(index) ? m_elements[size_t(index)].element : nullptr; }

    // The lowest and highest index in use; UBound is -1 while the array is empty.
    int LBound() const
    {
        for (size_t i = 0; i < m_elements.size(); ++i) {
            if (m_elements[i].element) {
                return int(i);
            }
        }
        return 0;
    }
    int UBound() const { return int(m_elements.size()) - 1; }
    // The number of elements, as the runtime's Count.
    int Count() const
    {
        int count = 0;
        for (const Slot& slot : m_elements) {
            count += slot.element ? 1 : 0;
        }
        return count;
    }

    // The index of an element, or -1.
    int indexOf(const T* element) const
    {
        for (size_t i = 0; i < m_elements.size(); ++i) {
            if (m_elements[i].element == element) {
                return int(i);
            }
        }
        return -1;
    }

    // The display name of element `index`: "Label2(3)".
    QString elementName(int index) const { return QStringLiteral("%1(%2)").arg(m_name).arg(index); }

private:
    struct Slot
    {
        T* element = nullptr;
        bool design = false;
    };

    void ensureSize(int index)
    {
        if (index >= 0 && size_t(index) >= m_elements.size()) {
            m_elements.resize(size_t(index) + 1);
        }
    }

    [[noreturn]] void raise(long number, const QString& description) const
    {
        throw VbError(number, runtimeErrorSource(), description);
    }
    [[noreturn]] void raiseMissing(int index) const
    {
        raise(ControlArrayError::ElementMissing,
            QStringLiteral("Control array element '%1' doesn't exist").arg(index));
    }

    QString m_name;
    std::vector<Slot> m_elements;
    Loader m_loader;
    Unloader m_unloader;
};
