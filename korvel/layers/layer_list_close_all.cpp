// File > "Close All Files" empties the workspace: every image, GIS layer,
// AG-NAV block and meteorological file leaves memory, the list is emptied,
// the map goes back to its start state and the default folders are read
// again from the settings. It asks nothing and saves nothing. The exit
// routine and the loading of a session start with it. Also the File menu's
// enabling, worked out each time the menu opens.
#include "korvel/layers/file_menu_states.h"
#include "korvel/layers/layer_list.h"
#include "korvel/map/image_cache.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/main_settings_reader.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/line_control.h"
#include "platform/status_bar.h"
#include "platform/tool_bar.h"
#include "platform/vb_error.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>

namespace {

constexpr int kTypedExtentButton = 3;

} // namespace

void LayerList::File_CloseAll_Click()
{
    // The tools hold block numbers and outlines in the map's coordinates:
    // they end before the data they work on goes.
    endDigitizingTools();

    for (ControlArray<QCheckBox>* checks :
        { &m_form.ImageCheck, &m_form.GISCheck, &m_form.AGCheck, &m_form.Check3 }) {
        checks->unloadAll();
    }
    for (ControlArray<QLabel>* labels : { &m_form.ImageCheckLabel, &m_form.GISCheckLabel, &m_form.GISColorBox,
             &m_form.AGCheckLabel, &m_form.AGColorBox, &m_form.CheckLabel3 }) {
        labels->unloadAll();
    }
    m_form.RulerLine->setVisible(false);

    ProgramGlobals& program = globals();
    m_form.StatusBar1->setPanelText(6, QStringLiteral("Removing files from memory..."));
    removeAllLayers();
    forgetPicturesExcept({});
    m_form.StatusBar1->setPanelText(6, QString());
    resetAgnavData();
    program.AGNAVLoaded = false;
    program.UTMMode = true;
    program.CoordFormat = QStringLiteral("0");
    mapState().MapEmpty = true;

    // A typed extent that was open is applied, as Escape would, before the
    // boxes go back to their start values.
    if (m_form.Toolbar->Value(kTypedExtentButton) == 1) {
        m_form.Toolbar->setValue(kTypedExtentButton, 0);
        m_form.ApplyMapExtent();
    }
    m_form.ProgressBar1->setValue(m_form.ProgressBar1->minimum());
    m_form.ProgressBar1->hide();
    m_form.Text1->setText(QStringLiteral("0"));
    m_form.Text2->setText(QStringLiteral("0"));
    m_form.Text3->setText(QStringLiteral("10000"));
    m_form.Text4->setText(QStringLiteral("10000"));
    layerData().DataExtent = EmptyDataExtent;

    rereadFolderSettings();
    if (program.MetLoaded) {
        m_form.CloseMet_Click();
    }
    RefreshChecklist();
}

void LayerList::endDigitizingTools()
{
    // Each tool's own end first (its panel, its state), then whatever is
    // left of any of them: the ticks, the digitized segments, the block.
    m_form.GuidanceCancel_Click();
    if (m_form.GISShiftPreviewShown()) {
        m_form.HideGISShiftPanel();
    }
    for (QAction* tool :
        { m_form.Tools_DigitizeBoundary, m_form.Tools_DigitizeGuidance, m_form.Tools_DigitizeExclusion }) {
        tool->setChecked(false);
    }
    m_form.DigitizeLine.unloadAll();
    m_form.GuidanceLine.unloadAll();
    m_form.SelectedBlock = 0;
}

void LayerList::rereadFolderSettings()
{
    // Folders chosen in file dialogs since the start are forgotten.
    try {
        readFolderSettings(BadSwitch::ReadsFalse);
    } catch (const VbError&) {
        // An unreadable settings store keeps the folders in use; closing
        // the files must not fail for it.
    }
}

void LayerList::File_Menu_Click()
{
    const FileMenuStates states = fileMenuStates();
    m_form.File_LoadSession->setEnabled(states.loadSession);
    m_form.File_SaveSession->setEnabled(states.saveSession);
    m_form.File_OpenBMP->setEnabled(states.loadImage);
    m_form.File_OpenGuidance->setEnabled(states.guidanceFile);
    m_form.File_OpenExclusion->setEnabled(states.exclusionZones);
    m_form.File_OpenFlight->setEnabled(states.sprayData);
    m_form.File_CloseAll->setEnabled(states.closeAll);
}
