// The preferences' "File Locations" tab and the module list of the
// "Optimization" tab.
#include "korvel/met/optimization_module.h"
#include "korvel/prefs/optimization_modules.h"
#include "korvel/prefs/pref_form.h"
#include "korvel/shell/browse_for_folder.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/program_globals.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

void PrefForm::Text1_GotFocus(int Index)
{
    QLineEdit& box = Text1[Index];
    QMetaObject::invokeMethod(&box, &QLineEdit::selectAll, Qt::QueuedConnection);
    // The folder button stands inside the right end of the box being edited.
    DirButton->move(DirButton->x(), box.y() + 2);
    DirButton->raise();
    DirButton->show();
    DirIndex = Index;
}

void PrefForm::Text1_LostFocus(int Index)
{
    if (Text1[Index].text().isEmpty()) {
        Text1[Index].setText(defaultStartFolder());
    }
}

void PrefForm::DirButton_Click()
{
    const QString folder = BrowseForFolder(this);
    if (!folder.isEmpty() && Text1.exists(DirIndex)) {
        Text1[DirIndex].setText(folder.endsWith(u'/') ? folder : folder + u'/');
    }
    DirButton->hide();
    AcceptButton->setFocus();
}

void PrefForm::List1_Click()
{
    QLabel* captions[] = { ProductLabel, ACLabel, HeightLabel, NozzleLabel };
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    if (selected.isEmpty()) {
        for (QLabel* caption : captions) {
            caption->setText(QStringLiteral("<None>"));
        }
        return;
    }
    // A module that cannot be read, or is cut short, leaves the captions it
    // does not reach as they were.
    const QStringList lines = optimizationModuleDescription(optimizationModulePath(selected.first()->text()));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        captions[i]->setText(lines[i]);
    }
}
