#pragma once

#include <cstdint>

#include "core/platform/geometry.h"

namespace kestro {

class CRecordBuffer;

// Quarter turns reduced into 0 to 3 (a negative count turns the other way).
inline int NormalizeTurns(int turns) {
    return ((turns % 4) + 4) % 4;
}

// Turns a point about the origin by quarter turns: one turn maps (x, y) to (y, -x),
// which is counter-clockwise on the screen (y grows downwards).
CPointF TurnAboutOrigin(CPointF p, int turns);
// Turns a point about a centre by quarter turns, the same sense as TurnAboutOrigin.
CPointF TurnAbout(CPointF p, CPointF centre, int turns);

// Where and how a symbol is drawn: colour role of the pen, position of the symbol
// origin, quarter turns and the scale of each symbol axis (-1 mirrors that axis).
struct CPlacement {
    uint16_t color = 0;
    float x = 0.0f;
    float y = 0.0f;
    uint16_t rotation = 0;
    float sx = 1.0f;
    float sy = 1.0f;

    friend bool operator==(const CPlacement&, const CPlacement&) = default;

    int Turns() const { return rotation & 3; }
    // A symbol point on the sheet: turned, scaled in the turned frame (sy, sx for odd
    // turns), then moved to (x, y). Equal to mirroring first and turning afterwards.
    CPointF Place(CPointF p) const;
    // Scale factors of the sheet's x and y axes after the turn.
    float DeviceScaleX() const { return (Turns() & 1) ? sy : sx; }
    float DeviceScaleY() const { return (Turns() & 1) ? sx : sy; }
    // Both corners placed, then normalised.
    CRectF PlaceRect(const CRectF& r) const;

    // u16 colour, f32 x, f32 y, u16 rotation, f32 sx, f32 sy.
    void Serialize(CRecordBuffer& buffer);
};

}  // namespace kestro
