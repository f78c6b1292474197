// The floating layer list's window: where it opens, its minimum size, its
// keys, its closing, and its own pop-up menus. The rows and what they do are
// in check_list_rows.cpp.
#include "korvel/layers/check_list_form.h"

#include "korvel/layers/layer_list.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/reg_settings.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/program_globals.h"
#include "platform/control_drag.h"
#include "platform/key_preview.h"
#include "platform/menu_item.h"
#include "platform/msg_box.h"
#include "platform/screen_metrics.h"
#include "platform/single_form.h"
#include "platform/vb_error.h"
#include "platform/vb_input_codes.h"
#include "platform/vb_numbers.h"
#include "platform/window_stacking.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>

namespace {

SingleForm<CheckListForm> g_form;

const QString kSettings = QStringLiteral("Settings");
const QString kLeftSetting = QStringLiteral("CheckList.Left");
const QString kTopSetting = QStringLiteral("CheckList.Top");

constexpr int vbKey1 = 49;
constexpr int vbKeyO = 79;

// The design in pixels: the client area 4335 x 5235 twips, Frame1 at
// 60, 0 with 4215 x 5175 twips.
constexpr QSize kDesignClient(289, 349);
constexpr QRect kDesignFrame(4, 0, 281, 345);
// What the desktop's borders and title bar add to the client area: the
// window's outer size that the size and screen-edge rules use.
constexpr int kSideBorders = 6;
constexpr int kTitleAndBorders = 25;
constexpr int kFrameRightMargin = 12;
constexpr int kFrameBottomMargin = 28;
constexpr int kThicknesses = 5;

// A stored edge in twips, a 16-bit whole number. A missing value, a text
// that is no number or lies beyond 16 bits, and a settings store that cannot
// be read all give 0, the default.
int storedEdge(const QString& name)
{
    try {
        return CInt(GetRegSetting(kSettings, name, QStringLiteral("0")));
    } catch (const VbError&) {
        return 0;
    }
}

} // namespace

FloatingToolWindow& checkListFormTool()
{
    static FloatingFormTool<CheckListForm, &CheckListForm::RefreshChecklist> tool;
    return tool;
}

CheckListForm& CheckListForm::instance()
{
    return g_form.instance([] { return new CheckListForm(MainForm::instance()); },
        [](CheckListForm& form) { form.Form_Load(); });
}

CheckListForm* CheckListForm::existing()
{
    return g_form.existing();
}

void CheckListForm::unload()
{
    if (CheckListForm* form = g_form.existing()) {
        form->unloadOnce();
    }
}

CheckListForm::CheckListForm(MainForm& main)
    : QWidget(&main, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_main(main)
    , m_list(LayerList::instance())
{
    setObjectName(QStringLiteral("CheckListForm"));
    setWindowTitle(QStringLiteral("Table of Contents"));
    // Above the main window and the other floating windows as it opens.
    setTopmostWhenShown(*this);
    resize(kDesignClient);
    createControls();
    createPopUpMenus();
    m_keyPreview = new KeyPreview(*this);
    connect(m_keyPreview, &KeyPreview::KeyDown, this, &CheckListForm::Form_KeyDown);
}

CheckListForm::~CheckListForm()
{
    g_form.forget(this);
}

void CheckListForm::createControls()
{
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Frame1->setGeometry(kDesignFrame);

    Label1 = new QLabel(QStringLiteral("No Files Loaded"), Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(m_main.Label1->font());
    Label1->resize(m_main.Label1->size());

    // It has no behaviour: the rows keep the main list's places, its scroll
    // offset included, so it is never shown.
    ChecklistScroll = new QScrollBar(Qt::Vertical, Frame1);
    ChecklistScroll->setObjectName(QStringLiteral("ChecklistScroll"));
    ChecklistScroll->setGeometry(0, 10, 10, 100);
    ChecklistScroll->hide();

    auto separator = [this](const QString& name, const QFrame& main) {
        auto* line = new QFrame(Frame1);
        line->setObjectName(name);
        line->setAutoFillBackground(true);
        line->setPalette(main.palette());
        line->setGeometry(main.geometry());
        line->hide();
        return line;
    };
    Line1 = separator(QStringLiteral("Line1"), *m_main.Line1);
    Line2 = separator(QStringLiteral("Line2"), *m_main.Line2);

    m_rowDrag = new ControlDrag(this);
    connect(m_rowDrag, &ControlDrag::DragOver, this, &CheckListForm::dispatchDragOver);
    connect(m_rowDrag, &ControlDrag::DragDrop, this, &CheckListForm::dispatchDragDrop);
    createRowTemplates();
}

void CheckListForm::createPopUpMenus()
{
    MainForm& main = m_main;
    LayerList& list = m_list;
    auto item = [this](QMenu& menu, const char* name, const char* caption, std::function<void()> handler) {
        QAction* action = newMenuItem(menu, QString::fromLatin1(name), QString::fromLatin1(caption));
        connectMenuClick(*action, this, std::move(handler));
        return action;
    };

    PopUpMenu_Image = new QMenu(QStringLiteral("Image"), this);
    PopUpMenu_Image->setObjectName(QStringLiteral("PopUpMenu_Image"));
    PopUp_Georef
        = item(*PopUpMenu_Image, "PopUp_Georef", "Geo-reference", [&list] { list.PopUp_Georef_Click(); });
    newMenuSeparator(*PopUpMenu_Image, "PopUp_ImageLine1");
    PopUp_ImageDel
        = item(*PopUpMenu_Image, "PopUp_ImageDel", "Delete", [&list] { list.PopUp_ImageDel_Click(); });
    newMenuSeparator(*PopUpMenu_Image, "PopUp_ImageLine2");
    PopUp_ImageProps = item(
        *PopUpMenu_Image, "PopUp_ImageProps", "Properties", [&list] { list.PopUp_ImageProps_Click(); });

    QMenu& block = *(PopUpMenu_AGNAV = new QMenu(QStringLiteral("AG-NAV"), this));
    block.setObjectName(QStringLiteral("PopUpMenu_AGNAV"));
    PopUp_OpenGuidance = item(block, "PopUp_OpenGuidance", "Load Guidance File",
        [&main] { main.PopUp_OpenGuidance_Click(main.SelectedLayer); });
    PopUp_OpenExclusion = item(block, "PopUp_OpenExclusion", "Load Exclusion Zones",
        [&main] { main.PopUp_OpenExclusion_Click(main.SelectedLayer); });
    PopUp_OpenFlight = item(block, "PopUp_OpenFlight", "Load Spray Data",
        [&main] { main.PopUp_OpenFlight_Click(main.SelectedLayer); });
    newMenuSeparator(block, "PopUp_AGNAVLine1");
    PopUp_DigitizeGuidance = item(block, "PopUp_DigitizeGuidance", "Digitize Guidance Lines",
        [&main] { main.PopUp_DigitizeGuidance_Click(); });
    PopUp_DigitizeExclusion = item(block, "PopUp_DigitizeExclusion", "Digitize Exclusion Zones",
        [&main] { main.PopUp_DigitizeExclusion_Click(); });
    newMenuSeparator(block, "PopUp_AGNAVLine2");
    PopUp_AGNAVColor = item(block, "PopUp_AGNAVColor", "Colour", [&list] { list.PopUp_AGNAVColor_Click(); });
    PopUp_AGNAVThick = newSubMenu(block, "PopUp_AGNAVThick", "Thickness");
    for (int i = 1; i <= kThicknesses; ++i) {
        QAction* thickness = newMenuItem(
            *PopUp_AGNAVThick, PopUp_AGNAVThickNum.elementName(i), CStr(i), {}, MenuCheck::CheckMark);
        PopUp_AGNAVThickNum.setElement(i, thickness);
        connectMenuClick(*thickness, this, [&list, i] { list.PopUp_AGNAVThickNum_Click(i); });
    }
    newMenuSeparator(block, "PopUp_AGNAVLine3");
    PopUp_AGNAVZoom
        = item(block, "PopUp_AGNAVZoom", "Zoom Boundary", [&list] { list.PopUp_AGNAVZoom_Click(); });
    newMenuSeparator(block, "PopUp_AGNAVLine4");
    PopUp_AGNAVDel = item(block, "PopUp_AGNAVDel", "Delete", [&list] { list.PopUp_AGNAVDel_Click(); });
    newMenuSeparator(block, "PopUp_AGNAVLine5");
    PopUp_AGNAVProps
        = item(block, "PopUp_AGNAVProps", "Properties", [&list] { list.PopUp_AGNAVProps_Click(); });
    connect(&block, &QMenu::aboutToShow, this, [this] { PopUpMenu_AGNAV_Click(); });
}

void CheckListForm::PopUpMenu_AGNAV_Click()
{
    const AgnavData& agnav = agnavData();
    const int thickness
        = PopupRow >= 1 && PopupRow <= agnav.BlockCount ? agnav.Blocks[size_t(PopupRow)].Thickness : 0;
    for (int i = 1; i <= kThicknesses; ++i) {
        PopUp_AGNAVThickNum[i].setChecked(i == thickness);
    }
}

void CheckListForm::Form_Load()
{
    // As wide as the main list's frame with the frame's margins.
    const int outerWidth = 2 * Frame1->x() + m_main.Frame1->width() + 6;
    resize(outerWidth - kSideBorders, height());
    // Never narrower than half the main list or lower than it: every row
    // the main list shows fits the floating frame.
    setMinimumSize(m_main.Frame1->width() / 2 - kSideBorders,
        m_main.Frame1->height() + kFrameBottomMargin - kTitleAndBorders);
    placeOnScreen();
    Form_Resize();
    RefreshChecklist();
    RestoreFloatingWindows();
}

void CheckListForm::placeOnScreen()
{
    move(floatingWindowPlace(storedEdge(kLeftSetting), storedEdge(kTopSetting), *this));
}

void CheckListForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void CheckListForm::Form_Resize()
{
    const int outerWidth = width() + kSideBorders;
    const int outerHeight = height() + kTitleAndBorders;
    Frame1->resize(
        outerWidth - Frame1->x() - kFrameRightMargin, outerHeight - Frame1->y() - kFrameBottomMargin);
    ChecklistScroll->move(Frame1->width() - 4 - ChecklistScroll->width(), ChecklistScroll->y());
    ChecklistScroll->resize(ChecklistScroll->width(), Frame1->height() - 4 - ChecklistScroll->y());
    Label1->move((Frame1->width() - Label1->width()) / 2, (Frame1->height() - Label1->height()) / 2);
}

void CheckListForm::Form_KeyDown(int KeyCode, int Shift)
{
    if (KeyCode == vbKeyEscape) {
        close();
    } else if (KeyCode == vbKeyTab && Shift == vbCtrlMask) {
        m_main.activateWindow();
    } else if (KeyCode == vbKey1 && Shift == vbCtrlMask) {
        // Ctrl+1 opens the list from the main window and closes it here.
        close();
    } else if (KeyCode == vbKeyO && Shift == vbCtrlMask) {
        ReleaseFloatingWindows();
        m_main.File_LoadSession->trigger();
        RestoreFloatingWindows();
    } else {
        m_main.Form_KeyDown(KeyCode, Shift);
    }
}

void CheckListForm::Form_Unload()
{
    const double tx = TwipsPerPixelX();
    const double ty = TwipsPerPixelY();
    try {
        SaveRegSetting(kSettings, kLeftSetting, Str(qRound(x() * tx)));
        SaveRegSetting(kSettings, kTopSetting, Str(qRound(y() * ty)));
    } catch (const VbError& error) {
        // The window closes all the same; only its place is not kept.
        MsgBox(QStringLiteral("KORVEL encountered the following error:\r") + error.Description());
    }
    m_main.Check1[1].setChecked(false);
    hide();
    m_main.repaint();
    // Ticks given here while the map is not redrawn on every change take
    // effect now.
    if (!globals().ImmediateGraph && MapChanged) {
        m_main.Graph(false);
    }
}

void CheckListForm::closeEvent(QCloseEvent* event)
{
    event->accept();
    unloadOnce();
}

void CheckListForm::unloadOnce()
{
    // Releasing the toggle from Form_Unload asks for the unload again.
    if (m_unloaded) {
        return;
    }
    m_unloaded = true;
    Form_Unload();
    g_form.forget(this);
    deleteLater();
}
