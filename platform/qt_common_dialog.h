#pragma once
// The common dialog on Qt's own (non-native) file and colour dialogs, which
// behave the same on every desktop and honour the filters as the system
// dialog did.
#include "platform/common_dialog.h"

class QtCommonDialog final : public CommonDialogBackend
{
public:
    CommonDialogAnswer show(const CommonDialogRequest& request, QWidget* owner) override;
};
