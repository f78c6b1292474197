#include "korvel/shell/about_form.h"

#include "korvel/shell/main_form.h"
#include "platform/msg_box.h"
#include "platform/program_identity.h"
#include "platform/screen_metrics.h"
#include "platform/single_form.h"
#include "platform/vb_fonts.h"
#include "platform/vb_input_codes.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

namespace {

SingleForm<AboutForm> g_form;

// The form's design size, outer (title bar and borders included), in pixels.
constexpr QSize kDesignSize(336, 240);
// What the desktop's title bar and borders take of the outer height and
// width, so the design's outer sizes turn into the client area Qt sizes.
constexpr int kTitleAndBorders = 25;
constexpr int kSideBorders = 6;
// Below Label1 inside the frame, and below the frame to the form's outer bottom.
constexpr int kFrameBottomGap = 15;
constexpr int kFormBottomGap = 40;

// The logo: a field under an aircraft laying spray swaths, drawn rather than shipped.
QPixmap logoPicture()
{
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 90, 40), 1));
    painter.setBrush(QColor(120, 180, 90));
    painter.drawRect(QRectF(2, 22, 44, 24));
    painter.setPen(QPen(QColor(230, 240, 255), 3));
    for (int swath = 0; swath < 4; ++swath) {
        painter.drawLine(QPointF(6 + 11 * swath, 44), QPointF(10 + 11 * swath, 24));
    }
    painter.setPen(QPen(QColor(40, 40, 40), 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(8, 12), QPointF(40, 12)); // wings
    painter.drawLine(QPointF(24, 4), QPointF(24, 20)); // fuselage
    painter.drawLine(QPointF(19, 19), QPointF(29, 19)); // tailplane
    return pixmap;
}

} // namespace

QString aboutText()
{
    const QStringList lines { QStringLiteral("KORVEL Aerial Spray Planning and Analysis"),
        QStringLiteral("Version %1.%2").arg(programMajorVersion()).arg(programMinorVersion()), QString(),
        QStringLiteral("Written by TALVOR"), QString(), QStringLiteral("For help with KORVEL contact TALVOR"),
        QStringLiteral("or the dealer who supplied your copy."), QString(), QStringLiteral("March, 2003") };
    return lines.join(u'\r');
}

AboutForm& AboutForm::instance()
{
    return g_form.instance(
        [] { return new AboutForm(MainForm::existing()); }, [](AboutForm& form) { form.Form_Load(); });
}

void AboutForm::release()
{
    g_form.release();
}

AboutForm::AboutForm(QWidget* parent)
    : QDialog(parent,
        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About..."));
    setFont(vbFont(QStringLiteral("MS Sans Serif"), 8));
    createControls();
}

AboutForm::~AboutForm()
{
    g_form.forget(this);
}

void AboutForm::createControls()
{
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(logoPicture());
    Image1->setGeometry(16, 10, 48, 48);

    Label2 = new QLabel(QStringLiteral("KORVEL"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont word = vbFont(QStringLiteral("Tahoma"), 20);
    word.setBold(true);
    Label2->setFont(word);
    Label2->move(80, 18);
    Label2->adjustSize();

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(12, 66, kDesignSize.width() - kSideBorders - 24, 120);

    Label1 = new QLabel(Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->move(14, 14);
}

void AboutForm::Form_Load()
{
    // Centred at the design size; the height the text gives is not centred again.
    const ScreenMetrics screen = screenMetrics();
    move(
        screen.widthPixels / 2 - kDesignSize.width() / 2, screen.heightPixels / 2 - kDesignSize.height() / 2);
    Label1->setText(msgBoxDisplayText(aboutText()));
    fitToText();
}

void AboutForm::fitToText()
{
    Label1->adjustSize();
    Frame1->resize(Frame1->width(), Label1->y() + Label1->height() + kFrameBottomGap);
    const int outerHeight = Frame1->y() + Frame1->height() + kFormBottomGap;
    setFixedSize(kDesignSize.width() - kSideBorders, outerHeight - kTitleAndBorders);
}

void AboutForm::Form_KeyDown(int KeyCode, int Shift)
{
    Q_UNUSED(Shift);
    if (KeyCode == vbKeyReturn || KeyCode == vbKeyEscape) {
        done(QDialog::Accepted);
    }
}

void AboutForm::keyPressEvent(QKeyEvent* event)
{
    // Every key goes to Form_KeyDown alone; the dialog's own Escape and Enter
    // handling would do the same thing twice.
    Form_KeyDown(vbKeyCode(*event), vbShift(event->modifiers()));
}
