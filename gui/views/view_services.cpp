#include "gui/views/view_services.h"

#include <algorithm>

namespace kestro {

QSizeF PrintPageSize(double printableWidth, double printableHeight, bool legend) {
    double width = printableWidth > 0 ? printableWidth : kNoPrinterWidth;
    double height = printableHeight > 0 ? printableHeight : kNoPrinterHeight;
    if (legend) height *= 0.9;
    const double scale = std::max(width, height) * (1.0 / kPrintPageLongSide);
    return {width / scale, height / scale};
}

}  // namespace kestro
