#pragma once

#include <QIcon>
#include <QImage>
#include <QSize>

class QPainter;

namespace kestro {

// Toolbar buttons are 16 by 15 pixels (at a device pixel ratio of 1).
inline constexpr QSize kButtonImageSize{16, 15};

// The button image of a command of the main or drawing-tools toolbar, drawn for device
// pixel ratios 1, 1.5 and 2; a plain element symbol for any other id.
QIcon ButtonIcon(int commandId);

// The stand-in image of an element button until the library gives it its own.
QIcon ElementPlaceholderIcon();

// One button image rendered at a device pixel ratio (for tests and screenshots).
QImage ButtonImage(int commandId, qreal devicePixelRatio);

// The program's icon in the usual sizes.
QIcon ProgramIcon();
// Draws the program icon into a square of side `size`.
void DrawProgramIcon(QPainter& painter, int size);

}  // namespace kestro
