#include "core/print/title_block.h"

#include <algorithm>
#include <cmath>

#include "core/platform/number_text.h"

namespace kestro {

namespace {

constexpr double kFontShare = 0.0095;  // character height over the printable height
constexpr double kRowShare = 0.015;
constexpr double kTopShare = 0.905;
constexpr double kRightShare = 0.95;
constexpr double kMaxWidthShare = 0.9;
constexpr int kRows = 4;
constexpr CPaletteColor kBlack{0, 0, 0};

enum Field { kCompany, kTitle, kDesigner, kRevision, kLastUpdate };

}  // namespace

CLogicalFont TitleBlockFont(int32_t printableHeight) {
    const auto height =
        static_cast<int32_t>(std::max(1.0, std::round(printableHeight * kFontShare)));
    return {"Arial", -height, 400, false};
}

std::string PageNumberText(int page, int pageCount) {
    return "Page " + FormatInt(page) + " of " + FormatInt(pageCount);
}

CTitleBlock LayoutTitleBlock(const CCanvas& measure, CSizeI printable, const CTitleInfo& info,
                             int page, int pageCount) {
    CTitleBlock block;
    block.font = TitleBlockFont(printable.cy);
    const auto width = [&](const std::string& text) -> double {
        return text.empty() ? 0.0 : measure.TextExtent(text, block.font).cx;
    };
    const double w = printable.cx, h = printable.cy;
    const double wanted = std::max({std::max(w / 3.0, width(info[kCompany])),
                                    width("Title    ") + width(info[kTitle]),
                                    width("ADesigned by:    ") + width(info[kDesigner]),
                                    3.0 * std::max(w / 9.0, width(info[kLastUpdate])),
                                    3.0 * (width("ARevision ") + width(info[kRevision])),
                                    3.0 * std::max(w / 9.0, width("Page 00 of 00 "))});
    const double blockWidth = std::min(wanted, kMaxWidthShare * w);
    const auto right = static_cast<int32_t>(std::lround(kRightShare * w));
    const auto left = static_cast<int32_t>(std::lround(kRightShare * w - blockWidth));
    const auto top = static_cast<int32_t>(std::lround(kTopShare * h));
    const auto row = static_cast<int32_t>(std::max(1L, std::lround(kRowShare * h)));
    block.frame = {left, top, right, top + kRows * row};
    for (int i = 0; i < 3; ++i)
        block.rowLines[size_t(i)] = top + (i + 1) * row;
    const int32_t third = (right - left) / 3;
    block.cellLines = {left + third, left + 2 * third};

    const auto add = [&block](CRectI box, const std::string& text) {
        if (!text.empty()) block.texts.push_back({box, text});
    };
    // A label at the left of its row and a text centred in the rest of the row.
    const auto labelled = [&](int rowIndex, const std::string& label, const std::string& text) {
        const int32_t y = top + rowIndex * row;
        const auto labelWidth = static_cast<int32_t>(width(label));
        add({left, y, left + labelWidth, y + row}, label);
        add({left + labelWidth, y, right, y + row}, text);
    };
    add({left, top, right, top + row}, info[kCompany]);
    labelled(1, " Title   ", info[kTitle]);
    labelled(2, " Designed by", info[kDesigner]);
    const int32_t y = block.rowLines[2], bottom = block.frame.bottom;
    add({left, y, block.cellLines[0], bottom}, info[kLastUpdate]);
    const std::string revision = " Revision " + info[kRevision];
    add({block.cellLines[0], y, block.cellLines[0] + static_cast<int32_t>(width(revision)), bottom},
        revision);
    add({block.cellLines[1], y, right, bottom}, PageNumberText(page, pageCount));
    return block;
}

void DrawTitleBlock(CCanvas& canvas, const CTitleBlock& block) {
    canvas.SelectColorPen(kBlack);
    canvas.SelectHollowBrush();
    const CRectI& f = block.frame;
    canvas.Rectangle(f);
    for (const int32_t y : block.rowLines)
        canvas.Line({f.left, y}, {f.right, y});
    for (const int32_t x : block.cellLines)
        canvas.Line({x, block.rowLines[2]}, {x, f.bottom});
    for (const CTitleBlockText& text : block.texts)
        canvas.Text(text.box, text.text, block.font, 0, kBlack);
}

}  // namespace kestro
