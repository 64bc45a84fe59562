#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kestro {

// One entry of the element menu tree as the menu stream stores it.
struct CMenuItem {
    static constexpr int16_t kPopupCode = -10;
    static constexpr int16_t kSeparatorCode = -1;

    enum class Kind { Popup, Separator, Element };

    Kind kind = Kind::Separator;
    // Element entries: the library index (5000 + code is the command); other negative
    // codes than the two above are kept as they are and also issue 5000 + code.
    int16_t code = kSeparatorCode;
    std::string label;
    std::vector<CMenuItem> children;  // popups

    static CMenuItem Popup(std::string label, std::vector<CMenuItem> children = {});
    static CMenuItem Separator();
    static CMenuItem Element(int16_t code, std::string label);

    friend bool operator==(const CMenuItem&, const CMenuItem&) = default;
};

// Popups nested deeper than this are read as empty popups.
inline constexpr int kMaxMenuDepth = 32;

// Reads a level of the menu stream: records up to the end of the bytes. Short data
// reads as zeros: a code cut off gives an element entry 0 with an empty label, and the
// level ends there.
std::vector<CMenuItem> ReadMenuStream(const uint8_t* data, size_t size);
// Writes the records of a level; popups become -10, label and a nested block.
std::vector<uint8_t> WriteMenuStream(const std::vector<CMenuItem>& items);

// The tree as the library stores it: a popup left without entries becomes a separator
// (a menu never shows an empty pop-up), and every element entry takes its element's
// current name as its label. `nameOf` gives that name, or nothing for an index the
// library does not hold (the entry then keeps its label).
using CMenuNameLookup = std::function<std::optional<std::string>(int16_t code)>;
void PrepareMenuForSaving(std::vector<CMenuItem>& items, const CMenuNameLookup& nameOf);

}  // namespace kestro
