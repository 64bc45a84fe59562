#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kestro {

// Sheet and symbol coordinates are 32-bit floats with y growing downwards.
struct CPointF {
    float x = 0.0f;
    float y = 0.0f;
    friend bool operator==(const CPointF&, const CPointF&) = default;
};

struct CRectF {
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;

    friend bool operator==(const CRectF&, const CRectF&) = default;

    float Width() const { return right - left; }
    float Height() const { return bottom - top; }
    CPointF Center() const { return {(left + right) / 2.0f, (top + bottom) / 2.0f}; }

    CRectF Normalized() const {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right),
                std::max(top, bottom)};
    }
    CRectF Inflated(float d) const { return {left - d, top - d, right + d, bottom + d}; }
    CRectF Offset(float dx, float dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
};

// Device (pixel) coordinates.
struct CPointI {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const CPointI&, const CPointI&) = default;
};

struct CRectI {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    friend bool operator==(const CRectI&, const CRectI&) = default;
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
};

// Rounds half away from zero, as every placement and grid rule of the editor does.
inline double RoundHalfAway(double v) {
    return std::round(v);
}
inline int32_t RoundToInt(double v) {
    return static_cast<int32_t>(std::lround(v));
}

// Two sheet values are equal when they agree after rounding to a tenth of a unit.
inline int64_t Tenths(double v) {
    return std::llround(v * 10.0);
}
inline bool SameTenth(double a, double b) {
    return Tenths(a) == Tenths(b);
}
inline bool SamePoint(const CPointF& a, const CPointF& b) {
    return SameTenth(a.x, b.x) && SameTenth(a.y, b.y);
}

// Union of two normalised rectangles.
inline CRectF UnionRect(const CRectF& a, const CRectF& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

// True when two normalised rectangles overlap with positive area.
inline bool RectsOverlap(const CRectF& a, const CRectF& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// A rectangle is empty when its corners agree at a tenth of a unit in both axes.
inline bool IsEmptyAtTenth(const CRectF& r) {
    return SameTenth(r.left, r.right) && SameTenth(r.top, r.bottom);
}

}  // namespace kestro
