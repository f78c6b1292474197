#include "korvel/map/zoom_form.h"

#include "korvel/map/map_extent.h"
#include "korvel/map/map_view.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/panel_pictures.h"
#include "korvel/shell/reg_settings.h"
#include "korvel/workspace/program_globals.h"
#include "platform/key_preview.h"
#include "platform/msg_box.h"
#include "platform/screen_metrics.h"
#include "platform/single_form.h"
#include "platform/tool_bar.h"
#include "platform/vb_error.h"
#include "platform/vb_fonts.h"
#include "platform/vb_input_codes.h"
#include "platform/vb_numbers.h"
#include "platform/window_stacking.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

SingleForm<ZoomForm> g_form;

const QString kSettings = QStringLiteral("Settings");
const QString kLeftSetting = QStringLiteral("ZoomWindow.Left");
const QString kTopSetting = QStringLiteral("ZoomWindow.Top");

constexpr int kCustomZoomButton = 3;
constexpr int kPreviousZoomButton = 4;
constexpr int vbKey2 = 50;

// Where Frame2 stands in the window, in pixels.
constexpr QPoint kFramePosition(6, 2);

// A stored edge in twips. A missing value, a text that is no number and a
// settings store that cannot be read all give 0, the default.
double storedEdge(const QString& name)
{
    try {
        return extentBoxNumber(GetRegSetting(kSettings, name, QStringLiteral("0")), 0.0);
    } catch (const VbError&) {
        return 0.0;
    }
}

} // namespace

FloatingToolWindow& zoomFormTool()
{
    static FloatingFormTool<ZoomForm, &ZoomForm::RefreshForm> tool;
    return tool;
}

ZoomForm& ZoomForm::instance()
{
    return g_form.instance(
        [] { return new ZoomForm(MainForm::instance()); }, [](ZoomForm& form) { form.Form_Load(); });
}

ZoomForm* ZoomForm::existing()
{
    return g_form.existing();
}

void ZoomForm::unload()
{
    if (ZoomForm* form = g_form.existing()) {
        form->unloadOnce();
    }
}

ZoomForm::ZoomForm(MainForm& main)
    : QWidget(&main,
        Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
            | Qt::MSWindowsFixedSizeDialogHint)
    , m_main(main)
{
    setObjectName(QStringLiteral("ZoomForm"));
    setWindowTitle(QStringLiteral("Zoom Options"));
    // Above the main window and the other floating windows as it opens.
    setTopmostWhenShown(*this);
    createControls();
    m_keyPreview = new KeyPreview(*this);
    connect(m_keyPreview, &KeyPreview::KeyDown, this, &ZoomForm::Form_KeyDown);
}

ZoomForm::~ZoomForm()
{
    g_form.forget(this);
}

void ZoomForm::createControls()
{
    Frame2 = new QGroupBox(m_main.Frame2->title(), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->move(kFramePosition);

    const char* names[] = { "Text1", "Text2", "Text3", "Text4" };
    const char* texts[] = { "0", "0", "10000", "10000" };
    QLineEdit** boxes[] = { &Text1, &Text2, &Text3, &Text4 };
    for (int i = 0; i < 4; ++i) {
        auto* box = new QLineEdit(QString::fromLatin1(texts[i]), Frame2);
        box->setObjectName(QString::fromLatin1(names[i]));
        // Nothing reads what is typed here: the main window's boxes hold the
        // extent, so these only show it.
        box->setReadOnly(true);
        *boxes[i] = box;
    }
    for (int i = 1; i <= 4; ++i) {
        auto* marker = new QLabel(Frame2);
        marker->setObjectName(MapExtent.elementName(i));
        marker->setPixmap(extentMarkerPicture(i));
        marker->setScaledContents(true);
        marker->setFixedSize(15, 15);
        MapExtent.setElement(i, marker);
    }

    Picture3 = new QWidget(Frame2);
    Picture3->setObjectName(QStringLiteral("Picture3"));
    Toolbar = new ToolBar(Picture3);
    Toolbar->setObjectName(QStringLiteral("Toolbar"));
    for (int index = 1; index <= m_main.Toolbar->buttonCount(); ++index) {
        const QToolButton* button = m_main.Toolbar->button(index);
        Toolbar->addButton(
            button->toolTip(), button->isCheckable() ? ToolButtonStyle::Check : ToolButtonStyle::Default);
    }
    connect(Toolbar, &ToolBar::ButtonClick, this, &ZoomForm::Toolbar_ButtonClick);
}

void ZoomForm::Form_Load()
{
    Frame2->resize(m_main.Frame2->size());
    setFixedSize(2 * Frame2->x() + Frame2->width(), 2 * Frame2->y() + Frame2->height());
    placeOnScreen();
    ShowMapExtent();
    // Until the first RefreshForm the buttons stand as the main toolbar's.
    for (int index = 1; index <= Toolbar->buttonCount(); ++index) {
        Toolbar->setEnabled(index, m_main.Toolbar->Enabled(index));
    }
    RefreshForm();
}

void ZoomForm::placeOnScreen()
{
    move(floatingWindowPlace(storedEdge(kLeftSetting), storedEdge(kTopSetting), *this));
}

void ZoomForm::ShowMapExtent()
{
    Picture3->setGeometry(m_main.Picture3->geometry());
    const ToolBar& mainBar = *m_main.Toolbar;
    Toolbar->setButtonSize(mainBar.ButtonWidth(), mainBar.ButtonHeight());
    Toolbar->setGeometry(0, 0, mainBar.width(), mainBar.height());
    for (int index = 1; index <= Toolbar->buttonCount() && index <= mainBar.buttonCount(); ++index) {
        Toolbar->setImage(index, mainBar.button(index)->icon());
    }
    const QLineEdit* mainBoxes[] = { m_main.Text1, m_main.Text2, m_main.Text3, m_main.Text4 };
    QLineEdit* boxes[] = { Text1, Text2, Text3, Text4 };
    for (int i = 0; i < 4; ++i) {
        boxes[i]->setGeometry(mainBoxes[i]->geometry());
        boxes[i]->setFont(vbFont(QStringLiteral("Arial"), mainBoxes[i]->font().pointSizeF()));
    }
    for (int i = 1; i <= 4; ++i) {
        MapExtent[i].move(m_main.MapExtent[i].pos());
    }
}

void ZoomForm::RefreshForm()
{
    const ProgramGlobals& program = globals();
    // Buttons are enabled here, never disabled: a button stays as it was
    // when the last layer of its kind goes.
    if (program.ImageLoaded) {
        Toolbar->setEnabled(2, true);
    }
    if (program.GISLoaded) {
        Toolbar->setEnabled(1, true);
    }
    if (m_main.Toolbar->Enabled(kPreviousZoomButton)) {
        Toolbar->setEnabled(kPreviousZoomButton, true);
    }
    Text1->setText(m_main.Text1->text());
    Text2->setText(m_main.Text2->text());
    Text3->setText(m_main.Text3->text());
    Text4->setText(m_main.Text4->text());
}

void ZoomForm::Toolbar_ButtonClick(int Button)
{
    MapView::instance().Toolbar_ButtonClick(Button, Toolbar->Value(kCustomZoomButton));
    if (Button != kCustomZoomButton) {
        Toolbar->setValue(kCustomZoomButton, 0);
    }
}

void ZoomForm::Form_Activate()
{
    // Topmost at its place, without a move or a new size.
    setTopmost(*this, true);
    setFocus();
}

void ZoomForm::Form_KeyDown(int KeyCode, int Shift)
{
    if (KeyCode == vbKeyEscape) {
        close();
    } else if (KeyCode == vbKeyTab && Shift == vbCtrlMask) {
        m_main.activateWindow();
    } else if (KeyCode == vbKey2 && Shift == vbCtrlMask) {
        // Ctrl+2 opens the window from the main window and closes it here.
        close();
    } else {
        // Ctrl+1 (the floating layer list) and the other shortcuts work
        // here as in the main window.
        m_main.Form_KeyDown(KeyCode, Shift);
    }
}

void ZoomForm::Form_Unload()
{
    const double tx = TwipsPerPixelX();
    const double ty = TwipsPerPixelY();
    try {
        SaveRegSetting(kSettings, kLeftSetting, CStr(float(x() * tx)));
        SaveRegSetting(kSettings, kTopSetting, CStr(float(y() * ty)));
    } catch (const VbError& error) {
        // The window closes all the same; only its place is not kept.
        MsgBox(QStringLiteral("KORVEL encountered the following error:\r") + error.Description());
    }
    m_main.Check1[2].setChecked(false);
    hide();
}

bool ZoomForm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) {
        Form_Activate();
    }
    return QWidget::event(event);
}

void ZoomForm::closeEvent(QCloseEvent* event)
{
    event->accept();
    unloadOnce();
}

void ZoomForm::unloadOnce()
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
