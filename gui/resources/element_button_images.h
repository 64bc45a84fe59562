#pragma once

#include <QIcon>
#include <QImage>

#include "core/platform/settings.h"

namespace kestro {

class CLibElement;
class CLibraryData;
class CMainFrame;

// The image of an element's toolbar button: its symbol fitted into the 16 by 15 button
// and drawn in the element colour of the settings, for device pixel ratios 1, 1.5 and 2.
QIcon ElementButtonIcon(const CLibElement& element, const CSettings& settings);
// One such image at one device pixel ratio (for tests and screenshots).
QImage ElementButtonImage(const CLibElement& element, const CSettings& settings, qreal ratio);

// Gives each element button whose element the library holds that element's image and
// description (its netlist name when it has none); the other buttons get the stand-in
// image and "Element <index>".
void UpdateElementButtons(CMainFrame& frame, CLibraryData& library, const CSettings& settings);

}  // namespace kestro
