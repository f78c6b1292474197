#include "korvel/guidance/guidance_panel.h"

#include "korvel/guidance/guidance_panel_rules.h"
#include "korvel/guidance/guidance_state.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/reg_settings.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/line_control.h"
#include "platform/picture_box.h"
#include "platform/vb_error.h"
#include "platform/vb_input_codes.h"
#include "platform/vb_numbers.h"

#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

namespace {

template <class T> T* named(QWidget& window, const QString& name)
{
    return window.findChild<T*>(name);
}

QString elementName(const char* array, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
}

// The box and its spin stand level with the option of the mode.
void levelWith(const GuidancePanel& panel, const QRadioButton& option)
{
    QLineEdit& box = *panel.GuidanceText;
    box.move(box.x(), option.y() + (option.height() - box.height()) / 2);
    panel.VScroll1->move(panel.VScroll1->x(), box.y() + 2);
}

int vertexCountOf(int block)
{
    return isBlock(block) ? blockAt(block).VertexCount : 0;
}

void showSpinValue(QLineEdit& box, const QScrollBar& spin)
{
    box.setText(QString::number(spin.value()));
}

// Enter in a box: a whole number within the spin's range is taken and the
// text selected; otherwise `refused` says what the box shows.
void takeTypedValue(QLineEdit& box, QScrollBar& spin, bool putBackWhenRefused)
{
    const std::optional<int> value = typedWholeNumber(box.text(), spin.minimum(), spin.maximum());
    if (!value) {
        if (putBackWhenRefused || !typedNumberValue(box.text())) {
            showSpinValue(box, spin);
        }
        return;
    }
    spin.setValue(*value);
    showSpinValue(box, spin); // the normal form, also when the value stayed
    selectWholeText(box);
}

} // namespace

GuidancePanel GuidancePanel::of(QWidget& window)
{
    GuidancePanel panel;
    panel.window = &window;
    // The main window's own controls stand in its frame; the floating
    // window, a child of the main window, holds controls of the same names.
    if (auto* main = qobject_cast<MainForm*>(&window)) {
        GuidancePanel docked = of(*main->GuidanceFrame);
        docked.window = &window;
        return docked;
    }
    panel.headingOption = named<QRadioButton>(window, elementName("GuidanceOption", 1));
    panel.edgeOption = named<QRadioButton>(window, elementName("GuidanceOption", 2));
    panel.GuidanceText = named<QLineEdit>(window, QStringLiteral("GuidanceText"));
    panel.VScroll1 = named<QScrollBar>(window, QStringLiteral("VScroll1"));
    panel.DegreeLabel = named<QLabel>(window, QStringLiteral("DegreeLabel"));
    panel.SwathText = named<QLineEdit>(window, QStringLiteral("SwathText"));
    panel.VScroll2 = named<QScrollBar>(window, QStringLiteral("VScroll2"));
    panel.SwathLabelm = named<QLabel>(window, QStringLiteral("SwathLabelm"));
    panel.noOffset = named<QRadioButton>(window, elementName("OffsetOption", 0));
    panel.halfSwath = named<QRadioButton>(window, elementName("OffsetOption", 1));
    return panel;
}

bool GuidancePanel::complete() const
{
    return headingOption && edgeOption && GuidanceText && VScroll1 && DegreeLabel && SwathText && VScroll2
        && SwathLabelm && noOffset && halfSwath;
}

bool GuidancePanel::edgeMode() const
{
    return edgeOption && edgeOption->isChecked();
}

GuidancePanelValues GuidancePanel::values() const
{
    GuidancePanelValues values;
    values.headingMode = headingOption && headingOption->isChecked();
    values.guidanceText = GuidanceText ? GuidanceText->text() : QString();
    values.swathText = SwathText ? SwathText->text() : QString();
    values.halfSwath = halfSwath && halfSwath->isChecked();
    return values;
}

void setSpinRange(QScrollBar& spin, int bottom, int top)
{
    spin.setRange(bottom, std::max(bottom, top));
}

void setUpGuidanceSpins(const GuidancePanel& panel)
{
    // The spins are built with their top end the larger value (SpinScrollBar).
    for (QScrollBar* spin : { panel.VScroll1, panel.VScroll2 }) {
        spin->setSingleStep(1);
        spin->setPageStep(10);
    }
    setSpinRange(*panel.VScroll1, 0, MaxHeading);
    setSpinRange(*panel.VScroll2, MinSwath, MaxSwath);
    panel.VScroll1->setValue(0);
    panel.VScroll2->setValue(25);
}

void switchGuidanceMode(MainForm& main, const GuidancePanel& panel, int index)
{
    GuidanceData& data = guidanceData();
    QScrollBar& spin = *panel.VScroll1;
    if (index == 2) {
        panel.DegreeLabel->hide();
        data.GuidanceHeading = spin.value();
        panel.GuidanceText->setText(QString::number(data.GuidanceEdge));
        // Hidden companions of the edges. A panel entering edge mode again
        // (the other window left them) finds them made already.
        const int n = vertexCountOf(main.SelectedBlock);
        for (int i = 1; i <= n; ++i) {
            if (!main.DigitizeLine.exists(i)) {
                main.DigitizeLine.load(i).setVisible(false);
            }
        }
        setSpinRange(spin, 1, n);
        spin.setValue(data.GuidanceEdge);
        levelWith(panel, *panel.edgeOption);
        main.RefreshBlockLines(*panel.window);
        main.FitGuidanceLines();
        return;
    }
    setSpinRange(spin, 0, MaxHeading);
    data.GuidanceEdge = spin.value();
    spin.setValue(data.GuidanceHeading);
    levelWith(panel, *panel.headingOption);
    panel.GuidanceText->setText(QString::number(data.GuidanceHeading));
    main.DigitizeLine.unloadAll();
    main.DigitizeLine[0].setVisible(false);
    panel.DegreeLabel->show();
    main.FitGuidanceLines();
}

void headingSpinChanged(MainForm& main, const GuidancePanel& panel)
{
    showSpinValue(*panel.GuidanceText, *panel.VScroll1);
    main.FitGuidanceLines();
    if (panel.edgeMode()) {
        main.RefreshBlockLines(*panel.window);
    }
}

void swathSpinChanged(MainForm& main, const GuidancePanel& panel)
{
    showSpinValue(*panel.SwathText, *panel.VScroll2);
    main.FitGuidanceLines();
}

void leaveGuidanceText(const GuidancePanel& panel)
{
    QScrollBar& spin = *panel.VScroll1;
    if (const std::optional<int> value
        = typedWholeNumber(panel.GuidanceText->text(), spin.minimum(), spin.maximum())) {
        spin.setValue(*value);
    }
    // A refused entry gets the spin's value back, never a text that names
    // no edge; a good one its normal form.
    showSpinValue(*panel.GuidanceText, spin);
}

void leaveSwathText(const GuidancePanel& panel)
{
    QScrollBar& spin = *panel.VScroll2;
    const std::optional<int> value = leftSwathEntry(panel.SwathText->text());
    spin.setValue(value ? *value : defaultSwathShown());
    showSpinValue(*panel.SwathText, spin);
}

bool guidanceTextKey(const GuidancePanel& panel, int keyCode)
{
    QScrollBar& spin = *panel.VScroll1;
    if (keyCode == vbKeyReturn) {
        takeTypedValue(*panel.GuidanceText, spin, true);
        return false;
    }
    const std::optional<int> stepped
        = steppedDirection(spin.value(), keyCode, spin.minimum(), spin.maximum());
    if (stepped) {
        spin.setValue(*stepped);
    }
    return isSteppingKey(keyCode);
}

bool swathTextKey(const GuidancePanel& panel, int keyCode)
{
    QScrollBar& spin = *panel.VScroll2;
    if (keyCode == vbKeyReturn) {
        takeTypedValue(*panel.SwathText, spin, false);
        return false;
    }
    if (const std::optional<int> stepped = steppedSwath(spin.value(), keyCode)) {
        spin.setValue(*stepped);
    }
    return isSteppingKey(keyCode);
}

void showSwathUnit(const GuidancePanel& panel)
{
    panel.SwathLabelm->setText(globals().MetricSystem ? QStringLiteral("m") : QStringLiteral("ft"));
}

QString storedAgnavDefault(const char* name, const char* fallback)
{
    try {
        return GetRegSetting(QStringLiteral("AGNAVDefault"), QLatin1String(name), QLatin1String(fallback));
    } catch (const VbError&) {
        return QLatin1String(fallback);
    }
}

int defaultSwathShown()
{
    return startingSwath(storedAgnavDefault("SwathWidth", "30"), QString(), globals().MetricSystem);
}

TextBoxEvents::TextBoxEvents(QLineEdit& box, QObject& owner, std::function<void()> gotFocus,
    std::function<void()> lostFocus, std::function<void(int& keyCode, int shift)> keyDown)
    : QObject(&owner)
    , m_gotFocus(std::move(gotFocus))
    , m_lostFocus(std::move(lostFocus))
    , m_keyDown(std::move(keyDown))
{
    box.installEventFilter(this);
}

bool TextBoxEvents::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // The window's own activation and a menu's opening move no focus
        // between the window's controls.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            event->type() == QEvent::FocusIn ? m_gotFocus() : m_lostFocus();
        }
        break;
    }
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        int keyCode = vbKeyCode(*key);
        if (keyCode != 0) {
            m_keyDown(keyCode, vbShift(key->modifiers()));
            if (keyCode == 0) {
                return true;
            }
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

GuidanceMapFrame currentMapFrame(const PictureBox& map)
{
    GuidanceMapFrame frame;
    frame.utm = globals().UTMMode;
    frame.zone = mapState().Zone;
    frame.ellipsoid = globals().Ellipsoid;
    frame.viewRight = double(map.ScaleLeft()) + double(map.ScaleWidth());
    frame.viewTop = map.ScaleTop();
    frame.viewBottom = double(map.ScaleTop()) + double(map.ScaleHeight());
    return frame;
}

void selectWholeText(QLineEdit& box)
{
    box.setSelection(0, int(box.text().size()));
}
