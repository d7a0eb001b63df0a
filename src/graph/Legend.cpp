#include "graph/Legend.h"

namespace grafolux {

void ClearLegend(DrawingArea& area) {
    area.lngLegendLines = 0;
    area.pbLegend.Cls();
}

}  // namespace grafolux
