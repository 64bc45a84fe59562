#pragma once

// Converting an element record of the previous version into a library element.
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "core/library/lib_element.h"
#include "core/library/old_library.h"

namespace kestro {

// Drawing command letters and their sizes in bytes, the letter included. Coordinates are
// i16 in eighths of a unit.
//   A  half-circle arc: orientation byte (its value modulo 4), box x1 y1 x2 y2   (10)
//   E  ellipse: box x1 y1 x2 y2                                                   (9)
//   M  line: one byte not used, then x1 y1 x2 y2                                  (10)
//   R  rectangle: box x1 y1 x2 y2                                                 (9)
inline constexpr double kOldDrawingUnit = 0.125;

// Appends the shapes of the drawing commands. The first command that is not one of the
// four above, or that the drawing cuts short, ends the drawing: its letter comes back
// (nothing when every command was converted).
std::optional<uint8_t> ConvertOldDrawing(const std::vector<uint8_t>& drawing, CShapeList& shapes);

// A library element with identifier `index` from an old record: its netlist name, the
// symbol box centred on the origin, the ports as stored, the drawing, and the attributes
// behind a "Name" definition holding the default instance name. A record without
// attributes is a ground element. `stoppedAt` receives what ConvertOldDrawing returned.
std::unique_ptr<CLibElement> ConvertOldElement(const COldRecord& record, uint16_t index,
                                               std::optional<uint8_t>* stoppedAt = nullptr);

// The value an old attribute stands for: Float the single-precision number as the
// shortest decimal that reads back as it, Boolean whether it is not 0, String its text.
CGenType OldAttributeValue(const COldAttribute& attribute);

}  // namespace kestro
