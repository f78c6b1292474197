#include "platform/msg_box.h"

#include "platform/program_identity.h"
#include "platform/program_window.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

// What a title bar needs beside its title: the window's icon and its
// buttons (close, and on some desktops minimise and maximise), with the
// desktop's padding.
constexpr int kTitleBarChrome = 160;

// The width a window needs for its title bar to show `title` whole.
int titleBarWidth(const QString& title)
{
    const QFontMetrics metrics(QFontDatabase::systemFont(QFontDatabase::TitleFont));
    return metrics.horizontalAdvance(title) + kTitleBarChrome;
}

// A message box sizes itself to its text and buttons; a short message
// would make it too narrow for the title bar, which then cuts the title.
// A row spanning the box holds it at the title's width.
void keepTitleWhole(QMessageBox& box)
{
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(titleBarWidth(box.windowTitle()), 0, QSizePolicy::Minimum),
            grid->rowCount(), 0, 1, grid->columnCount());
    }
}

QMessageBox::StandardButton standardButton(int answer)
{
    switch (answer) {
    case vbOK:
        return QMessageBox::Ok;
    case vbCancel:
        return QMessageBox::Cancel;
    case vbAbort:
        return QMessageBox::Abort;
    case vbRetry:
        return QMessageBox::Retry;
    case vbIgnore:
        return QMessageBox::Ignore;
    case vbYes:
        return QMessageBox::Yes;
    case vbNo:
        return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

QMessageBox::Icon messageIcon(int icon)
{
    switch (icon) {
    case vbCritical:
        return QMessageBox::Critical;
    case vbQuestion:
        return QMessageBox::Question;
    case vbExclamation:
        return QMessageBox::Warning;
    case vbInformation:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// The answer a box gives when it is closed without a button (Escape or the
// close box): Cancel where the box has one, otherwise what Escape picks.
int closedAnswer(const MsgBoxRequest& request)
{
    const QList<int> answers = request.answers();
    if (answers.contains(vbCancel)) {
        return vbCancel;
    }
    if (answers.contains(vbNo)) {
        return vbNo;
    }
    if (answers.contains(vbAbort)) {
        return vbAbort;
    }
    return answers.front();
}

class QtMsgBox final : public MsgBoxBackend
{
public:
    int showMsgBox(const MsgBoxRequest& request) override
    {
        // A window on the desktop always shows a title, and an empty one
        // would get the executable's lower-case name: a box asked for
        // without a caption shows the program's title like every other.
        const QString caption = request.caption.isEmpty() ? programTitle() : request.caption;
        QMessageBox box(messageIcon(request.icon()), caption, msgBoxDisplayText(request.prompt),
            QMessageBox::NoButton, dialogOwner());
        box.setTextFormat(Qt::PlainText);
        for (int answer : request.answers()) {
            box.addButton(standardButton(answer));
        }
        box.setDefaultButton(standardButton(request.defaultAnswer()));
        keepTitleWhole(box);
        box.exec();
        for (int answer : request.answers()) {
            if (box.clickedButton() == box.button(standardButton(answer))) {
                return answer;
            }
        }
        return closedAnswer(request);
    }

    QString showInputBox(const InputBoxRequest& request) override
    {
        QInputDialog dialog(dialogOwner());
        dialog.setWindowTitle(request.caption);
        dialog.setLabelText(msgBoxDisplayText(request.prompt));
        dialog.setTextValue(request.defaultText);
        dialog.setMinimumWidth(titleBarWidth(request.caption));
        return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
    }
};

QtMsgBox g_qtMsgBox;
MsgBoxBackend* g_backend = nullptr;

MsgBoxBackend& backend()
{
    return g_backend ? *g_backend : g_qtMsgBox;
}

int showBox(const QString& prompt, int buttons, const QString& caption)
{
    MsgBoxRequest request;
    request.prompt = prompt;
    request.buttons = buttons;
    request.caption = caption;
    return backend().showMsgBox(request);
}

} // namespace

QList<int> MsgBoxRequest::answers() const
{
    switch (buttonSet()) {
    case vbOKCancel:
        return { vbOK, vbCancel };
    case vbAbortRetryIgnore:
        return { vbAbort, vbRetry, vbIgnore };
    case vbYesNoCancel:
        return { vbYes, vbNo, vbCancel };
    case vbYesNo:
        return { vbYes, vbNo };
    case vbRetryCancel:
        return { vbRetry, vbCancel };
    }
    // vbOKOnly, and the unused set numbers 6 and 7, which the runtime also
    // shows as a lone OK button.
    return { vbOK };
}

int MsgBoxRequest::defaultAnswer() const
{
    const QList<int> offered = answers();
    const int index = (buttons >> 8) & 3;
    // A default button beyond the set (vbDefaultButton3 on a Yes/No box)
    // falls back to the first button, as the system box does.
    return index < offered.size() ? offered[index] : offered.front();
}

int MsgBox(const QString& prompt, int buttons, const QString& title)
{
    return showBox(prompt, buttons, title.isEmpty() ? programTitle() : title);
}

int MsgBox(const QString& prompt, int buttons, MsgBoxCaption)
{
    return showBox(prompt, buttons, QString());
}

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    InputBoxRequest request;
    request.prompt = prompt;
    request.caption = title.isEmpty() ? programTitle() : title;
    request.defaultText = defaultText;
    return backend().showInputBox(request);
}

QString msgBoxDisplayText(const QString& prompt)
{
    QString text = prompt;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

void setMsgBoxBackend(MsgBoxBackend* backend)
{
    g_backend = backend;
}
