#include "quillet/frm_main.h"

#include "fendrix/async_transfer_interface.h"
#include "platform/connection_state.h"
#include "platform/msg_box.h"
#include "platform/screen_metrics.h"
#include "platform/vb_fonts.h"
#include "quillet/async_transfer_client.h"
#include "quillet/quillet_icon.h"
#include "quillet/quillet_paths.h"
#include "quillet/setup_installer.h"
#include "quillet/update_texts.h"
#include "quillet/updater_registry.h"
#include "quillet/version_file.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

using namespace quillet;

namespace {

constexpr int vbKeyEscape = 27;

// The two reads: both under one file key and type, so they never overlap.
const QString FileKey = QStringLiteral("Update");
const QString VersionFilePath = QStringLiteral("/KORVEL/Update/version.txt");
const QString SetupFilePath = QStringLiteral("/KORVEL/Update/KORVEL_Update.exe");
const QString Checking = QStringLiteral("Checking");
const QString Downloading = QStringLiteral("Downloading");

frmMain* g_instance = nullptr;

// The layout is given in twips.
int pixelsX(double twips)
{
    return qRound(twips / TwipsPerPixelX());
}

int pixelsY(double twips)
{
    return qRound(twips / TwipsPerPixelY());
}

QRect twipsRect(double left, double top, double width, double height)
{
    return QRect(pixelsX(left), pixelsY(top), pixelsX(width), pixelsY(height));
}

enum class Sizing { Auto, Fixed };

// Labels were given their texts with carriage returns between the lines;
// an auto-sized label grows and shrinks to its text.
void setCaption(QLabel* label, const QString& caption, Sizing sizing = Sizing::Auto)
{
    label->setText(msgBoxDisplayText(caption));
    if (sizing == Sizing::Auto) {
        label->adjustSize();
    }
}

QLabel* makeLabel(QWidget* parent, const char* name, QPoint position)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->move(position);
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QRect& geometry)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    button->setGeometry(geometry);
    return button;
}

} // namespace

frmMain& frmMain::instance()
{
    if (!g_instance) {
        g_instance = new frmMain;
        g_instance->Form_Load();
    }
    return *g_instance;
}

bool frmMain::exists()
{
    return g_instance != nullptr;
}

void frmMain::release()
{
    delete g_instance;
    g_instance = nullptr;
}

frmMain::frmMain()
    : QWidget(nullptr,
        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
            | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("KORVEL Quillet"));
    setWindowIcon(quilletIcon());
    // The layout is made for the 8-point dialog face; in the desktop's larger
    // default the captions would not fit their buttons.
    setFont(vbFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(pixelsX(4050), pixelsY(2235));
    createControls();
}

frmMain::~frmMain()
{
    if (g_instance == this) {
        g_instance = nullptr;
    }
}

void frmMain::createControls()
{
    lblConnection = makeLabel(this, "lblConnection", QPoint(pixelsX(120), pixelsY(210)));
    setCaption(lblConnection, QStringLiteral("Current internet connection:"));
    btnCheckUpdates = makeButton(
        this, "btnCheckUpdates", QStringLiteral("Check for Update"), twipsRect(120, 600, 1500, 375));
    lblCheckUpdates = makeLabel(this, "lblCheckUpdates", QPoint(pixelsX(1680), pixelsY(600)));
    lblProgress = makeLabel(this, "lblProgress", QPoint());
    lblProgress->setGeometry(twipsRect(525, 1725, 3000, 420));
    lblProgress->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    btnDownloadUpdates = makeButton(
        this, "btnDownloadUpdates", QStringLiteral("Download Update"), twipsRect(120, 1200, 1500, 375));
    lblDownloadUpdates = makeLabel(this, "lblDownloadUpdates", QPoint(pixelsX(1680), pixelsY(1290)));
    setTabOrder(btnCheckUpdates, btnDownloadUpdates);

    for (QWidget* control : findChildren<QWidget*>()) {
        control->installEventFilter(this);
    }
    installEventFilter(this);

    connect(btnCheckUpdates, &QPushButton::clicked, this, &frmMain::btnCheckUpdates_Click);
    connect(btnDownloadUpdates, &QPushButton::clicked, this, &frmMain::btnDownloadUpdates_Click);
}

void frmMain::Form_Load()
{
    createObjTest();
    setCaption(lblCheckUpdates, QString());
    setCaption(lblDownloadUpdates, QString());
    setCaption(lblProgress, QString(), Sizing::Fixed);

    QString connectionName;
    const bool connected = InternetConnected(connectionName);

    // Without "RootDir" the program folder is where the updater stands, as
    // the main program takes its own.
    m_rootDir = GetRootDir();
    if (m_rootDir.isEmpty()) {
        m_rootDir = executableFolder();
    } else if (!m_rootDir.endsWith(QLatin1Char('/'))) {
        m_rootDir += QLatin1Char('/');
    }

    setCaption(lblConnection, connectionText(connected, connectionName));
    widenForConnectionLabel();

    btnCheckUpdates->setEnabled(connected && m_objTest);
    btnDownloadUpdates->setEnabled(false);

    // Centred on the screen at its final width.
    const ScreenMetrics screen = screenMetrics();
    move((screen.widthPixels - width()) / 2, (screen.heightPixels - height()) / 2);
}

void frmMain::createObjTest()
{
    QString error;
    m_objTest = AsyncTransferClient::create(executableFolder(), &error);
    if (!m_objTest) {
        MsgBox(QStringLiteral("The download library could not be loaded, so no update can be looked for:\r")
                + error,
            vbExclamation);
        return;
    }
    connect(
        m_objTest.get(), &AsyncTransferClient::FileReadComplete, this, &frmMain::objTest_FileReadComplete);
    connect(
        m_objTest.get(), &AsyncTransferClient::FileReadProgress, this, &frmMain::objTest_FileReadProgress);
}

// A long connection name must not run out of the window: the window grows
// (never shrinks) to the label's end plus the left margin and the border.
void frmMain::widenForConnectionLabel()
{
    const int needed = lblConnection->x() + lblConnection->width() + btnCheckUpdates->x() + 6;
    if (width() < needed) {
        setFixedWidth(needed);
    }
}

bool frmMain::InternetConnected(QString& sConnectionName)
{
    quint32 flags = 0;
    QString name;
    const bool connected = InternetGetConnectedStateEx(&flags, &name);
    // The name came in a buffer of zero characters and ends at the first.
    sConnectionName = name.left(name.indexOf(QChar(0)));
    return connected;
}

void frmMain::setStallRule(qint64 bytes, int milliseconds)
{
    m_readLimits.stallBytes = bytes;
    m_readLimits.stallMs = milliseconds;
}

void frmMain::StopDownload()
{
    if (m_objTest) {
        m_objTest->CancelDownload();
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            const Qt::KeyboardModifiers modifiers = key->modifiers();
            const int Shift = (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0)
                | (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0)
                | (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
            Form_KeyDown(vbKeyEscape, Shift);
            // Taken: otherwise the form would see it again on its way up
            // from the control.
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmMain::Form_KeyDown(int KeyCode, int /*Shift*/)
{
    if (KeyCode == vbKeyEscape) {
        close();
    }
}

void frmMain::btnCheckUpdates_Click()
{
    m_installedVersion
        = GetRegSetting(QStringLiteral("Settings"), QStringLiteral("Version"), QStringLiteral("1.00"));
    setCaption(lblCheckUpdates, QLatin1String(CheckingText));
    m_updateServer = updateServer();
    if (!startRead(VersionFilePath, Checking, VersionFileMaxBytes)) {
        setCaption(lblCheckUpdates, QString());
    }
}

void frmMain::btnDownloadUpdates_Click()
{
    // Not a byte more than the version file announced is taken.
    startRead(SetupFilePath, Downloading, m_setupSize);
}

bool frmMain::startRead(const QString& path, const QString& strData, qint64 maxBytes)
{
    if (!m_objTest) {
        return false;
    }
    AsyncReadLimits limits = m_readLimits;
    limits.maxBytes = maxBytes;
    QString error;
    if (m_objTest->DownloadFile(FileKey, m_updateServer + path, dftByteArray, strData, &error, limits)) {
        return true;
    }
    // A refusal (the same read is running) leaves the running read alone.
    if (error.isEmpty()) {
        return true;
    }
    MsgBox(
        QStringLiteral("The update server %1 cannot be asked:\r").arg(m_updateServer) + error, vbExclamation);
    return false;
}

void frmMain::objTest_FileReadComplete(
    const QString& /*strFileKey*/, int /*lngFileType*/, AsyncProperty& AsyncProp, const QString& strData)
{
    if (strData == Checking) {
        versionFileRead(AsyncProp);
    } else if (strData == Downloading) {
        setupRead(AsyncProp);
    }
}

void frmMain::objTest_FileReadProgress(
    const QString& /*strFileKey*/, int /*lngFileType*/, AsyncProperty& AsyncProp, const QString& strData)
{
    if (strData == Downloading) {
        setCaption(lblProgress, progressText(AsyncProp.BytesRead, AsyncProp.BytesMax), Sizing::Fixed);
    }
}

void frmMain::versionFileRead(const AsyncProperty& AsyncProp)
{
    if (AsyncProp.Fault == AsyncReadFault::TooLarge) {
        setCaption(lblCheckUpdates, QString());
        MsgBox(versionFileTooLargeText(), vbExclamation);
        return;
    }
    if (AsyncProp.BytesRead == 0) {
        setCaption(lblCheckUpdates,
            couldNotConnectText(updateServerHost(m_updateServer), readFailureReason(AsyncProp)));
        return;
    }
    m_versionBytes = AsyncProp.Value.toByteArray();
    const VersionFile file = splitVersionFile(m_versionBytes);
    const UpdateCheck check = checkForUpdate(m_installedVersion, file);
    if (!check.error.isEmpty()) {
        setCaption(lblCheckUpdates, QString());
        MsgBox(check.error, vbExclamation);
        return;
    }
    setCaption(lblCheckUpdates, versionsText(m_installedVersion, quotedLine(file.latestVersion)));
    if (check.updateAvailable) {
        m_setupSize = check.setupSize;
        m_setupSha256 = check.setupSha256;
        setCaption(lblDownloadUpdates, sizeText(m_setupSize));
        btnDownloadUpdates->setEnabled(true);
    }
}

void frmMain::setupRead(const AsyncProperty& AsyncProp)
{
    const QString failure = saveAndStartSetup(m_rootDir, AsyncProp, m_setupSize, m_setupSha256);
    if (!failure.isEmpty()) {
        MsgBox(failure, vbExclamation);
        return;
    }
    close();
}
