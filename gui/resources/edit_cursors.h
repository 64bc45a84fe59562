#pragma once

#include <QCursor>
#include <QImage>
#include <array>
#include <map>

namespace kestro {

// The program's own cursors of the editing modes, by their resource numbers.
enum EditCursorId : int {
    kCursorWire = 140,
    kCursorDrawCircle = 141,
    kCursorDrawRectangle = 142,
    kCursorDrawHalfCircle = 143,
    kCursorDrawText = 144,
    kCursorDrawLine = 145,
    kCursorSelect = 146,
    kCursorMove = 147,  // over the selection
    kCursorCopy = 148,
    kCursorPasteShape = 149,
    kCursorZoomBox = 150,
    kCursorPan = 151,
    kCursorPlace = 152,
    kCursorLabel = 153,
    kCursorNotAllowed = 154,
};

// The editing cursors, drawn once at start-up for the screen's pixel ratio.
class CEditCursors {
public:
    explicit CEditCursors(qreal devicePixelRatio = 1.0);

    // The cursor of a resource number; the arrow for a number it does not know.
    QCursor Cursor(int id) const;
    // The system's sizing cursor for a handle direction (fx, fy), each -1, 0 or 1.
    static QCursor SizingCursor(int fx, int fy);

    // The resource numbers in the order they are made.
    static const std::array<int, 15>& Ids();
    // One cursor image, 32 by 32 logical pixels, at a device pixel ratio.
    static QImage Image(int id, qreal devicePixelRatio);
    // Where the cursor points, in logical pixels.
    static QPoint HotSpot(int id);

private:
    std::map<int, QCursor> m_cursors;
};

}  // namespace kestro
