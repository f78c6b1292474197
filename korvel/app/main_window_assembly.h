#pragma once
// The main window with its parts: the frame (korvel/shell) and one part per
// subsystem folder, created in the window's creation order.
class MainForm;

// Gives the window its parts; MainForm::instance() runs it for each new window.
void assembleMainWindow(MainForm& form);
// Makes every MainForm::instance() of the run assemble its window.
void installMainWindowAssembly();
