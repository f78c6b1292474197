// Commands of the main window's own menus (View and Tools) that belong to
// the frame rather than to a subsystem.
#include "korvel/shell/about_form.h"
#include "korvel/shell/main_form.h"
#include "platform/show_modal.h"

void MainForm::View_About_Click()
{
    // The floating windows stay where they are: the box is small and brief.
    ShowModal(AboutForm::instance());
    AboutForm::release();
}
