#pragma once
// The runtime's message box and input box. Callers pass the runtime's button,
// icon and default-button numbers and get the runtime's answer codes back, so
// event procedures compare with vbYes and friends exactly as they always did.
// The box itself goes through an exchangeable backend: Qt's dialogs in the
// program, a scripted one in tests.
#include <QList>
#include <QString>

// Button sets (the low three bits of the buttons argument).
inline constexpr int vbOKOnly = 0;
inline constexpr int vbOKCancel = 1;
inline constexpr int vbAbortRetryIgnore = 2;
inline constexpr int vbYesNoCancel = 3;
inline constexpr int vbYesNo = 4;
inline constexpr int vbRetryCancel = 5;
// Icons.
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;
// Default button (the one Enter presses).
inline constexpr int vbDefaultButton1 = 0;
inline constexpr int vbDefaultButton2 = 256;
inline constexpr int vbDefaultButton3 = 512;

// Answers.
inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;
inline constexpr int vbAbort = 3;
inline constexpr int vbRetry = 4;
inline constexpr int vbIgnore = 5;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

// Asks for a caption that is really empty; a default (null or empty) title
// means the program's title instead. The request keeps the empty caption;
// on the desktop, where every window shows a title, the box shows the
// program's title.
enum class MsgBoxCaption { Empty };

// One message box as the user sees it: the caption is already resolved.
struct MsgBoxRequest
{
    QString prompt; // as the caller wrote it, lines joined by "\r"
    int buttons = vbOKOnly; // the whole buttons argument
    QString caption;

    int buttonSet() const { return buttons & 7; }
    int icon() const { return buttons & 0x70; } // 0 when the box has no icon
    // The answer code of the button Enter presses.
    int defaultAnswer() const;
    // The answer codes the box offers, in the order its buttons stand.
    QList<int> answers() const;
};

struct InputBoxRequest
{
    QString prompt;
    QString caption;
    QString defaultText;
};

class MsgBoxBackend
{
public:
    virtual ~MsgBoxBackend() = default;
    virtual int showMsgBox(const MsgBoxRequest& request) = 0;
    // Returns the text entered, or empty text when the user cancelled.
    virtual QString showInputBox(const InputBoxRequest& request) = 0;
};

int MsgBox(const QString& prompt, int buttons = vbOKOnly, const QString& title = QString());
int MsgBox(const QString& prompt, int buttons, MsgBoxCaption);

// Returns the text entered; Cancel gives empty text, as the runtime's input box does.
QString InputBox(
    const QString& prompt, const QString& title = QString(), const QString& defaultText = QString());

// The prompt as a multi-line text: "\r\n", "\r" and "\n" each end a line.
QString msgBoxDisplayText(const QString& prompt);

// Installs the backend every box goes through; nullptr restores Qt's dialogs.
// The caller keeps ownership.
void setMsgBoxBackend(MsgBoxBackend* backend);
