#include "platform/console_msg_box.h"

#include <QGuiApplication>

#include <cstdio>

namespace {

void writeBox(const QString& caption, const QString& text)
{
    const QByteArray bytes = (caption.isEmpty() ? text : caption + QStringLiteral(": ") + text).toLocal8Bit();
    std::fprintf(stderr, "%s\n", bytes.constData());
    std::fflush(stderr);
}

} // namespace

int ConsoleMsgBox::showMsgBox(const MsgBoxRequest& request)
{
    writeBox(request.caption, msgBoxDisplayText(request.prompt));
    return request.defaultAnswer();
}

QString ConsoleMsgBox::showInputBox(const InputBoxRequest& request)
{
    writeBox(request.caption, msgBoxDisplayText(request.prompt));
    return request.defaultText;
}

bool isHeadlessPlatform()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}
