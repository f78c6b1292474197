#pragma once
// The updater's window icon: a download arrow on a round badge, drawn at
// run time so the program needs no image file beside it.
#include <QIcon>

namespace quillet {

QIcon quilletIcon();

} // namespace quillet
