#pragma once

#include <QImage>
#include <QSize>
#include <functional>
#include <vector>

namespace kestro {

class CCircuit;
class CKestroView;
class CPart;

// Makes an image of a size and format; a null image when there is not memory for it.
using CImageMaker = std::function<QImage(QSize size, QImage::Format format)>;

struct CSchematicImage {
    QImage image;      // null when it could not be made
    double scale = 0;  // pixels per sheet unit it was drawn at
};

// A picture of objects for the clipboard: their bounding rectangle widened by 20 units
// on every side at `zoom` pixels per unit, on white. In colour the scale is halved while
// the image cannot be made, as long as it stays at least 0.1; black and white is one bit
// per pixel at `zoom`, without retrying. `parts` empty draws the whole sheet.
CSchematicImage MakeSchematicImage(const CCircuit& sheet, const std::vector<CPart*>& parts,
                                   double zoom, bool monochrome, const CImageMaker& make = {});

// "Copy to Clipboard" of the view: the selection, or the whole drawing when nothing is
// selected, put on the system clipboard; the failures are reported with their messages.
void CopyBitmap(CKestroView& view, bool monochrome);

}  // namespace kestro
