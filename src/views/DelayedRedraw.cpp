#include "views/DelayedRedraw.h"

namespace grafolux {

bool RedrawDue(int64_t& lngRedrawAt, int64_t now, bool fileLoaded, bool loading) {
    if (lngRedrawAt == 0 || !fileLoaded) {
        lngRedrawAt = 0;
        return false;
    }
    if (loading || now <= lngRedrawAt) return false;
    lngRedrawAt = 0;
    return true;
}

}  // namespace grafolux
