#pragma once
// The main window's AG-NAV commands: loading blocks with their guidance,
// exclusion and flight files, new blocks, and digitizing. Its procedures are
// spread over files by what they do: agnav_commands.cpp (blocks and their
// companion files), agnav_sub_item_commands.cpp (the entries that load into a
// loaded block), flight_commands.cpp (spray data),
// agnav_commands_block_creation.cpp (new blocks), boundary_digitizing.cpp and
// exclusion_digitizing.cpp (the digitizing commands). What other folders call
// of it is AgnavPort (korvel/shell/ports.h), which MainForm forwards.
#include "korvel/shell/main_form_part.h"
#include "korvel/shell/ports.h"

#include <QString>

#include <optional>

struct ShapeRecord;

class AgnavCommands final : public MainFormPart, public AgnavPort
{
public:
    // Wires the "Load AG-NAV" menu items, then the digitizing items.
    explicit AgnavCommands(MainForm& form);
    // The part of the main window, which must exist.
    static AgnavCommands& instance();

    // --- AgnavPort ---
    bool CheckAGNAVFile(const QString& Path) override;
    void ConvertBlockCoords(int blockIndex, int mode) override;
    QString blockConversionRefusal(int blockIndex, int mode) override;
    bool LoadAGNAVBlock(const QString& Path) override;
    void PopUp_OpenGuidance_Click(int Block) override;
    void PopUp_OpenExclusion_Click(int Block) override;
    void PopUp_OpenFlight_Click(int Block) override;
    bool LoadGuidanceFile(int Block) override;
    bool LoadExclusionFile(int Block) override;
    bool CheckFlightFileOpen(const QString& Path) override;
    bool LoadFlightFile(int Block, const QString& Path) override;
    void Tools_Convert_Click() override;
    void Tools_DigitizeBoundary_Click() override;
    void Tools_DigitizeExclusion_Click() override;
    void PopUp_DigitizeExclusion_Click() override;
    bool shiftPreviewRefusesDigitizing() override;
    void removeDigitizedSegments() override;

    // --- AG-NAV blocks and spray data (agnav_commands.cpp,
    // agnav_sub_item_commands.cpp, flight_commands.cpp) ---
    // File > Load AG-NAV > "Block Boundary": checks and loads each chosen
    // file, fits an empty map to them and redraws.
    void File_OpenAGNAV_Click();
    // File > Load AG-NAV > "Guidance File", "Exclusion Zones", "Spray Data":
    // each asks for the block with SelectionForm when more than one fits.
    void File_OpenGuidance_Click();
    void File_OpenExclusion_Click();
    void File_OpenFlight_Click();
    // The spray-data dialog for a block, then each chosen log checked and
    // loaded under it; redraws.
    void OpenFlightFiles(int Block);
    // New blocks (agnav_commands_block_creation.cpp): a digitized boundary
    // (vertices 1..n, n >= 3, in map coordinates) the user wants saved. It
    // asks for the boundary file's name and shows the job dialog, which
    // writes the file; only a block whose file was written is listed.
    void SaveDigitizedBoundary(const ShapeRecord& Vertices);

    // --- Digitizing (boundary_digitizing.cpp, exclusion_digitizing.cpp) ---
    // Tools > Digitize AG-NAV > "Guidance Lines": starts the guidance work
    // or, while its item is ticked, ends it.
    void Tools_DigitizeGuidance_Click();
    // Starts exclusion digitizing, or ends it and saves the zone into Block
    // after the question (a block outside 1..BlockCount saves nothing).
    void SaveDigitizedExclusion(int Block);

private:
    // Wires the "Load AG-NAV" menu items (agnav_commands.cpp) and the
    // digitizing items (boundary_digitizing.cpp).
    void connectAgnavCommands();
    void connectDigitizingCommands();
    // The list rows of a block just loaded: its own, its guidance and exclusion rows.
    void addBlockRows(int Block);
    // The status bar and ellipsoid list after the first block set up the map.
    void showMapSetUpByBlock();
    // The question of the calibrated speed of a log without flow data; nothing on Cancel.
    std::optional<int> askCalibratedSpeed();
    void saveDigitizedZone(int Block, const ShapeRecord& vertices);
};
