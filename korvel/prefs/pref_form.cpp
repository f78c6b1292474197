// The preferences dialog as a window: its single instance, its opening
// (load once, fill once), its closing, the tab strip, its keys and the
// wiring of its controls.
#include "korvel/prefs/pref_form.h"

#include "korvel/shell/floating_windows.h"
#include "korvel/shell/main_form.h"
#include "platform/key_preview.h"
#include "platform/picture_box.h"
#include "platform/single_form.h"
#include "platform/tab_cycling.h"
#include "platform/vb_input_codes.h"

#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>

namespace {

SingleForm<PrefForm> g_form;

constexpr int kTabCount = 6;
constexpr int kGraphingTab = 1;
constexpr int kOptimizationTab = 3;
constexpr int kBufferTab = 5;
constexpr int kKeyC = 'C';
constexpr int kKeyP = 'P';

// A box really being left: not for another program, a message box or a
// drop-down list of the dialog.
bool leftForAnotherControl(const QEvent& event)
{
    const auto reason = static_cast<const QFocusEvent&>(event).reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace

PrefForm& PrefForm::instance()
{
    return g_form.instance([] { return new PrefForm(MainForm::existing()); });
}

PrefForm* PrefForm::existing()
{
    return g_form.existing();
}

void PrefForm::release()
{
    g_form.release([](PrefForm& form) {
        if (form.m_loaded && !form.m_unloaded) {
            form.m_unloaded = true;
            form.Form_Unload();
        }
    });
}

PrefForm::~PrefForm() = default;

void PrefForm::showEvent(QShowEvent* event)
{
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    QDialog::showEvent(event);
    // The fields are filled once per opening: the dialog becomes active
    // again after every message box and colour dialog, and must not lose
    // what the user changed then.
    if (!m_activated) {
        m_activated = true;
        Form_Activate();
    }
}

void PrefForm::done(int result)
{
    if (m_loaded && !m_unloaded) {
        m_unloaded = true;
        Form_Unload();
    }
    QDialog::done(result);
}

void PrefForm::Form_Unload()
{
    RestoreFloatingWindows();
}

void PrefForm::CancelButton_Click()
{
    reject();
}

void PrefForm::showTab(int tab)
{
    for (int i = 1; i <= kTabCount; ++i) {
        Frame1[i].setVisible(i == tab);
    }
    StartTab = tab;
    const QSignalBlocker quiet(TabStrip1);
    TabStrip1->setCurrentIndex(tab - 1);
}

void PrefForm::TabStrip1_Click()
{
    const int selected = TabStrip1->currentIndex() + 1;
    if (selected != StartTab && selected >= 1 && selected <= kTabCount) {
        Frame1[StartTab].hide();
        StartTab = selected;
        Frame1[StartTab].show();
    }
}

void PrefForm::Form_KeyDown(int KeyCode, int Shift)
{
    if (KeyCode == kKeyP && Shift == vbAltMask && StartTab == kGraphingTab) {
        Picture1_Click();
    } else if (KeyCode == kKeyC && Shift == vbAltMask && StartTab == kOptimizationTab) {
        OptColourBox_DblClick();
    } else if (KeyCode == kKeyC && Shift == vbAltMask && StartTab == kBufferTab) {
        BufferColourBox_DblClick();
    } else if (KeyCode == vbKeyTab && (Shift & vbCtrlMask)) {
        showTab(cycledTab(StartTab, Shift, kTabCount));
    }
}

bool PrefForm::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    const bool leaving = type == QEvent::FocusOut && leftForAnotherControl(*event);
    // A click on a text box selects its whole text, as getting the focus does.
    const bool clicked = type == QEvent::MouseButtonRelease;
    for (int i = 1; i <= 5; ++i) {
        if (watched == Text1.at(i)) {
            if (type == QEvent::FocusIn) {
                Text1_GotFocus(i);
            } else if (clicked) {
                Text1[i].selectAll();
                DirButton->raise();
            } else if (leaving) {
                Text1_LostFocus(i);
            }
            return QDialog::eventFilter(watched, event);
        }
    }
    if (watched == BufferWidthText) {
        if (type == QEvent::FocusIn) {
            QMetaObject::invokeMethod(BufferWidthText, &QLineEdit::selectAll, Qt::QueuedConnection);
        } else if (clicked) {
            BufferWidthText->selectAll();
        } else if (leaving) {
            BufferWidthText_LostFocus();
        }
    } else if ((watched == AcceptButton || watched == CancelButton) && type == QEvent::FocusIn) {
        DirButton->hide();
    } else if (watched == Label10 && type == QEvent::MouseButtonPress) {
        Picture1_Click();
    } else if (watched == AGNAVslider || watched == Slider1) {
        return sliderMouse(static_cast<QSlider&>(*watched), *event) || QDialog::eventFilter(watched, event);
    }
    return QDialog::eventFilter(watched, event);
}

bool PrefForm::sliderMouse(QSlider& slider, QEvent& event)
{
    // A press, or a drag with the left button, puts the value where the
    // pointer is, by the slider's own rule.
    const bool press = event.type() == QEvent::MouseButtonPress;
    const bool drag = event.type() == QEvent::MouseMove
        && (static_cast<QMouseEvent&>(event).buttons() & Qt::LeftButton);
    if (!press && !drag) {
        return false;
    }
    const float x = float(static_cast<QMouseEvent&>(event).position().x());
    if (&slider == Slider1) {
        Slider1_MouseDown(x);
    } else {
        AGNAVslider_MouseDown(x);
    }
    return true;
}

void PrefForm::connectControls()
{
    m_keyPreview = new KeyPreview(*this);
    connect(m_keyPreview, &KeyPreview::KeyDown, this, &PrefForm::Form_KeyDown);
    connect(TabStrip1, &QTabBar::currentChanged, this, [this] { TabStrip1_Click(); });
    connect(AcceptButton, &QPushButton::clicked, this, [this] { AcceptButton_Click(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButton_Click(); });
    // The folder button goes when a button takes the focus.
    for (QPushButton* button : { AcceptButton, CancelButton }) {
        button->installEventFilter(this);
    }

    const auto onSelect = [this](ControlArray<QRadioButton>& options, void (PrefForm::*handler)(int)) {
        for (int i = 1; i <= 2; ++i) {
            connect(&options[i], &QRadioButton::toggled, this, [this, handler, i](bool on) {
                if (on) {
                    (this->*handler)(i);
                }
            });
        }
    };
    onSelect(CoordSystemOption, &PrefForm::CoordSystemOption_Click);
    onSelect(GISspeed, &PrefForm::GISspeed_Click);
    onSelect(AGNAVspeed, &PrefForm::AGNAVspeed_Click);
    onSelect(UnitsOption, &PrefForm::UnitsOption_Click);

    // The sliders take a press where it lands, by their own rule.
    for (QSlider* slider : { AGNAVslider, Slider1 }) {
        slider->installEventFilter(this);
    }
    connect(Slider1, &QSlider::valueChanged, this, [this] { DrawOptSample(); });
    connect(Picture1, &PictureBox::MouseDown, this, [this] { Picture1_Click(); });
    connect(OptColourBox, &PictureBox::DblClick, this, [this] { OptColourBox_DblClick(); });
    connect(BufferColourBox, &PictureBox::DblClick, this, [this] { BufferColourBox_DblClick(); });

    connect(DirButton, &QPushButton::clicked, this, [this] { DirButton_Click(); });
    connect(List1, &QListWidget::itemSelectionChanged, this, [this] { List1_Click(); });

    connect(HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });
    connect(Picture2, &PictureBox::MouseDown, this, &PrefForm::Picture2_MouseDown);
    connect(EllipsoidListbox, &QListWidget::itemSelectionChanged, this, [this] { EllipsoidListbox_Click(); });

    connectAgnavControls();
}
