#pragma once
// Files dropped from the desktop shell on a control: the runtime's data
// object of an OLE drop, of which only the file list is used. The control
// takes drags that carry local files and refuses every other drag at its
// border, so the pointer shows what can be dropped. The paths (with "/", in
// the order the shell gave them) reach the handler after the drop has ended,
// so the file manager is not kept waiting while the files load and their
// messages are answered.
#include <QObject>
#include <QStringList>

#include <functional>

class QWidget;

class FileDropTarget final : public QObject
{
    Q_OBJECT
public:
    // Owned by the target; lives as long as it.
    FileDropTarget(QWidget& target, std::function<void(const QStringList& paths)> onDrop);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const QStringList&)> m_onDrop;
};
