#pragma once
// The main window's guidance work: the guidance frame's handlers, the
// creation, preview and save of a block's guidance lines. Its procedures are
// spread over files by what they do: guidance_work_panel.cpp (the docked
// panel's handlers), guidance_work_creation.cpp, guidance_work_preview.cpp and
// guidance_work_save.cpp. The docked frame's controls are the main window's
// own (built in korvel/shell/main_form_panels.cpp).
#include "korvel/shell/main_form_part.h"
#include "korvel/shell/ports.h"

#include <QString>

class QWidget;

class GuidanceWork final : public MainFormPart, public GuidancePort
{
public:
    // Wires the docked panel's controls to the procedures below.
    explicit GuidanceWork(MainForm& form);
    // The part of the main window, which must exist.
    static GuidanceWork& instance();
    // The part of this main window (a window it belongs to holds it).
    static GuidanceWork& of(MainForm& form);

    // --- What other folders call (GuidancePort) ---
    AgnavOutcome readGuidanceFile(int Block) override;
    void StartGuidanceCreation() override;
    void PopUp_DigitizeGuidance_Click() override;
    void RefreshBlockLines(QWidget& OptionsForm) override;
    void FitGuidanceLines() override;
    void GuidanceCancel_Click() override;
    QString guidanceSwathShown() const override;

    // Begins guidance-line creation in Block, chosen already (from its pop-up menu).
    void BeginGuidanceCreation(int Block);

    // The docked panel's procedures; the floating GuidanceForm has the same
    // and both follow guidance_panel.h. A KeyDown handler sets KeyCode to 0
    // for a key the box must not see as typing.
    void GuidanceOption_Click(int Index);
    void VScroll1_Change();
    void VScroll2_Change();
    void OffsetOption_Click(int Index);
    void GuidanceText_GotFocus();
    void GuidanceText_LostFocus();
    void GuidanceText_KeyDown(int& KeyCode, int Shift);
    void SwathText_GotFocus();
    void SwathText_LostFocus();
    void SwathText_KeyDown(int& KeyCode, int Shift);
    // Saves the preview into block SelectedBlock and its files, then ends
    // the work; a failure says why and leaves the work open.
    void GuidanceSave_Click();
    // The window whose guidance controls are in use: GuidanceForm in Map
    // Mode (created when needed), else the main window.
    QWidget& guidancePanelWindow();

private:
    // The guidance panel's wiring.
    void connectGuidancePanel();
    // The block's guidance row given back after the pop-up's start disabled it.
    void restoreGuidanceRow(int Block);
};
