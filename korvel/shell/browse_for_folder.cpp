#include "korvel/shell/browse_for_folder.h"

#include "platform/common_dialog.h"

QString BrowseForFolder(QWidget* owner)
{
    CommonDialog dialog(owner);
    dialog.DialogTitle = QStringLiteral("Please select a folder:");
    if (!dialog.ShowFolder()) {
        return QString();
    }
    return dialog.FileName;
}
