#pragma once
// Message boxes where nobody can see a window: on the offscreen and minimal
// display platforms (servers, test runs) a box would wait for a click that
// never comes. Here each box is written to standard error, caption and text,
// and answered as Enter would answer it (the default button); an input box
// answers with its default text.
#include "platform/msg_box.h"

class ConsoleMsgBox final : public MsgBoxBackend
{
public:
    int showMsgBox(const MsgBoxRequest& request) override;
    QString showInputBox(const InputBoxRequest& request) override;
};

// True on the display platforms that show nothing to a person.
bool isHeadlessPlatform();
