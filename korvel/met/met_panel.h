#pragma once
// The main window's meteorology: the Tools > Meteorology commands, the panel with its compass and playback,
// and the optimization overlay.
#include "korvel/shell/main_form_part.h"
#include "korvel/shell/ports.h"

#include <QString>

class MetPanel final : public MainFormPart, public MetPort
{
public:
    explicit MetPanel(MainForm& form);
    // The part of the main window, which must exist.
    static MetPanel& instance();

    // Tools > Meteorology: "Load Data" of the Kitoon and the tall tower,
    // "Enter Manually", and the two "Connect" items that open no device
    // (met_panel_loading.cpp).
    void Met_LoadKitoon_Click();
    void Met_LoadTower_Click();
    void Met_EnterManual_Click();
    void Met_ConnectKitoon_Click();
    void Met_ConnectTether_Click();
    // The meteorology panel's close button: stops the playback, closes the
    // panel and its window, drops the sources.
    void CloseMet_Click() override;

    // Shows the record at MetPosition(Index) in the panel; the file name and
    // the source button's caption are CurrentMet's (met_panel_readout.cpp).
    void UpdateMetData(int& Index);
    // 1 opens the meteorology window, 2 plays, 3 stops, 4 shows the next source.
    void ControlPanel_Click(int Index);
    void Timer1_Timer();
    void TimeSlider_Change();

    // Tools > Optimization: switches the overlay on (after reading the chosen
    // module) or off (met_panel_optimization.cpp).
    void Tools_Optimize_Click();
    // The optimization overlay for the record met file MetIndex shows.
    void Optimize(int& MetIndex) override;

private:
    // The meteorology panel's and menu's wiring and the compass face.
    void connectMetCommands();
    // A Kitoon or tall-tower file chosen, checked, read and made a source.
    void loadMetDataFile(const QString& title, const QString& source);
    // Whether one more source may come; says why not.
    bool metSourceRoom();
    // The panel after a source was added: shown, its source button when several.
    void showAddedMetSource();
    // The compass needle and direction of the record shown.
    void showCompass(int windDirection);
};
