#include "core/objects/subcircuit_ports.h"

#include <cmath>

namespace kestro {

CRectF CentredOnOrigin(const CRectF& rect) {
    const CPointF centre = rect.Center();
    return rect.Offset(-centre.x, -centre.y);
}

std::vector<CPointF> SubcircuitPortPositions(const CRectF& rect) {
    const CRectF r = CentredOnOrigin(rect).Normalized();
    const double nxRaw = std::trunc(std::fabs(double(r.Width())) * 0.1 - 1.0);
    const double nyRaw = std::trunc(std::fabs(double(r.Height())) * 0.1 - 1.0);
    // A symbol bigger than the sheet could ever hold would only exhaust memory.
    constexpr double kMaxPerSide = 8000.0;
    if (std::isnan(nxRaw) || std::isnan(nyRaw) || nxRaw > kMaxPerSide || nyRaw > kMaxPerSide)
        return {};
    const int nx = nxRaw > 0.0 ? static_cast<int>(nxRaw) : 0;
    const int ny = nyRaw > 0.0 ? static_cast<int>(nyRaw) : 0;
    std::vector<CPointF> points;
    if (nx + ny == 0) return points;
    points.reserve(size_t(2 * (nx + ny)));
    for (int i = 1; i <= nx; ++i)
        points.push_back({r.left + 10.0f * float(i), r.top});
    for (int i = 1; i <= ny; ++i)
        points.push_back({r.right, r.top + 10.0f * float(i)});
    for (int i = 1; i <= nx; ++i)
        points.push_back({r.right - 10.0f * float(i), r.bottom});
    for (int i = 1; i <= ny; ++i)
        points.push_back({r.left, r.bottom - 10.0f * float(i)});
    return points;
}

}  // namespace kestro
