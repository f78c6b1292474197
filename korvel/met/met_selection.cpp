#include "korvel/met/met_selection.h"

#include "platform/vb_numbers.h"

MetSelection metSelectionAt(const MetFile& file, double selectionX)
{
    const double s = Int(selectionX + 0.5);
    MetSelection selection;
    for (int k = 1; k <= file.recordCount(); ++k) {
        const double elapsed = file.record(k).ElapsedTime;
        if (elapsed == s) {
            selection.record = k;
            return selection;
        }
        if (elapsed > s) {
            selection.record = k;
            selection.moveLine = true;
            selection.lineX = elapsed;
            return selection;
        }
    }
    return selection;
}
