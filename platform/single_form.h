#pragma once
// The one window of a form class that exists at most once in a run: made on
// first use, forgotten as soon as it is destroyed (however that happens), and
// made afresh on the next use. A form keeps one of these in its file and
// writes its static accessor and its release over it:
//
//     SingleForm<StatForm> g_form;
//     StatForm& StatForm::instance()
//     {
//         return g_form.instance([] { return new StatForm(MainForm::existing()); },
//             [](StatForm& form) { form.Form_Load(); });
//     }
#include <QPointer>

#include <utility>

template <typename Form> class SingleForm
{
public:
    // The window, built by `create` on first use. `load` runs once the new
    // window is the one the accessor returns, so that what its load calls
    // finds it; a load that throws leaves no window behind.
    template <typename Create, typename Load> Form& instance(Create&& create, Load&& load)
    {
        if (!m_form) {
            Form* form = std::forward<Create>(create)();
            m_form = form;
            try {
                std::forward<Load>(load)(*form);
            } catch (...) {
                m_form = nullptr;
                destroy(form);
                throw;
            }
        }
        return *m_form;
    }

    template <typename Create> Form& instance(Create&& create)
    {
        return instance(std::forward<Create>(create), [](Form&) {});
    }

    // The window while it exists; never creates it.
    Form* existing() const { return m_form.data(); }

    // Forgets `form` if it is the window: a form's destructor or unload calls
    // this where the window must stop being found before Qt tears it down.
    void forget(const Form* form)
    {
        if (m_form.data() == form) {
            m_form = nullptr;
        }
    }

    // Forgets the window and hands it over, for the caller to unload and
    // destroy; null when there is none.
    Form* take()
    {
        Form* form = m_form.data();
        m_form = nullptr;
        return form;
    }

    // Destroys the window now, after `unload` has run on it.
    template <typename Unload> void release(Unload&& unload)
    {
        if (Form* form = m_form.data()) {
            std::forward<Unload>(unload)(*form);
            destroy(form);
        }
    }

    void release()
    {
        release([](Form&) {});
    }

private:
    // Forms keep their destructors private to their accessors; deleting
    // through QObject's virtual destructor reaches them all the same.
    static void destroy(Form* form) { delete static_cast<QObject*>(form); }

    QPointer<Form> m_form;
};
