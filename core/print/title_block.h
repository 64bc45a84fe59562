#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/platform/canvas.h"

namespace kestro {

// The title texts a sheet keeps: company, title, designed by, revision, last update.
using CTitleInfo = std::array<std::string, 5>;

// One text of the title block and the device box it is centred in.
struct CTitleBlockText {
    CRectI box;
    std::string text;
};

// The title block of a printed page, in device pixels: a frame of four rows (the company;
// " Title   " and the title; " Designed by" and the designer; the last update, the
// revision and the page number in three cells), right-aligned near the bottom of the
// printable area.
struct CTitleBlock {
    CRectI frame;                        // right and bottom exclusive
    std::array<int32_t, 3> rowLines{};   // y of the lines between the rows
    std::array<int32_t, 2> cellLines{};  // x of the lines between the cells of the last row
    std::vector<CTitleBlockText> texts;  // only the texts that are not empty
    CLogicalFont font;
};

// The font of the title block on a printable area `printableHeight` pixels high.
CLogicalFont TitleBlockFont(int32_t printableHeight);
// "Page %i of %i".
std::string PageNumberText(int page, int pageCount);

// The block on a printable area of `printable` pixels (the full height, title block
// included), with texts measured by `measure`. Its width is the largest of: a third of
// the page or the company; "Title    " and the title; "ADesigned by:    " and the
// designer; three times the wider of a ninth of the page and the last update; three times
// "ARevision " and the revision; three times the wider of a ninth of the page and
// "Page 00 of 00 ". It is never wider than 0.9 of the page, its right edge lies at 0.95 of
// the width and its top at 0.905 of the height; each row is 0.015 of the height.
CTitleBlock LayoutTitleBlock(const CCanvas& measure, CSizeI printable, const CTitleInfo& info,
                             int page, int pageCount);

// The frame and the lines with the black pen, the texts in black.
void DrawTitleBlock(CCanvas& canvas, const CTitleBlock& block);

}  // namespace kestro
