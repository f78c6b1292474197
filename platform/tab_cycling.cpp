#include "platform/tab_cycling.h"

#include "platform/vb_input_codes.h"

int cycledTab(int current, int shift, int tabCount)
{
    int tab = current;
    if (shift == vbCtrlMask) {
        ++tab;
    } else if (shift == (vbCtrlMask | vbShiftMask)) {
        --tab;
    }
    if (tab > tabCount) {
        tab = 1;
    } else if (tab < 1) {
        tab = tabCount;
    }
    return tab;
}
