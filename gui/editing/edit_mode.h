#pragma once

namespace kestro {

// The application-wide editing modes of the schematic views; the values are fixed.
enum class EditMode { Select = 0, Place = 1, ZoomBox = 3, Wire = 5, Paste = 7 };

// What Place mode puts down: a library element by its index, or one of these.
inline constexpr int kPlaceNone = -1;
inline constexpr int kPlaceText = 1001;
inline constexpr int kPlaceWire = 1002;
inline constexpr int kPlaceSubcircuit = 1003;
inline constexpr int kPlaceSimControl = 1004;
inline constexpr int kPlacePort = 1005;
inline constexpr int kPlaceLabel = 1006;

}  // namespace kestro
