#pragma once
// The runtime error number a call raises, 0 when it returns normally.
#include "platform/vb_error.h"

template <typename Call> long raisedError(Call&& call)
{
    try {
        call();
    } catch (const VbError& error) {
        return error.Number();
    }
    return 0;
}
