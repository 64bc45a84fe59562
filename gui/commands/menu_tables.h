#pragma once

#include <QKeyCombination>
#include <QString>
#include <vector>

namespace kestro {

// One entry of a menu resource: a command item, a separator, or a pop-up with entries of
// its own. A pop-up with an id and no entries is a placeholder filled at run time.
struct CMenuEntry {
    enum class Kind { Item, Separator, Popup };
    Kind kind = Kind::Item;
    int id = 0;
    QString label;     // as the menu shows it before the tab; "&" marks the underlined letter
    QString shownKey;  // the text after the tab; the accelerator tables decide what keys do
    std::vector<CMenuEntry> entries;

    // "label\tkey", or the label alone.
    QString Text() const;
};

// The top-level pop-ups of menu resource 128, 129 or 130; empty for any other number.
std::vector<CMenuEntry> MenuResource(int resource);

struct CAccelerator {
    QKeyCombination key;
    int id;
};

// Accelerator table 128, 129 or 130, in table order; empty for any other number.
std::vector<CAccelerator> AcceleratorTable(int table);

// Toolbar buttons, left to right; 0 is a separator.
std::vector<int> MainToolbarButtons();
std::vector<int> DrawingToolbarButtons();
std::vector<int> ElementToolbarButtons();

}  // namespace kestro
