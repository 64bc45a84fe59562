#pragma once

#include <QIcon>
#include <QImage>

namespace kestro {

// The pictures of the menu editor's tree items, 32 by 16 pixels on a clear ground: a
// pop-up (a small menu with an arrow), an element (a symbol with two leads) and a
// separator (a rule), each with its look for the selected item.
enum class MenuTreeImage { Popup, Element, Separator };

QIcon MenuTreeIcon(MenuTreeImage kind);
QImage MenuTreePicture(MenuTreeImage kind, bool selected, qreal pixelRatio = 1.0);

}  // namespace kestro
