#pragma once

#include <string>
#include <vector>

#include "core/platform/canvas.h"

namespace kestro {

// One primitive as a backend received it, with the pen and brush selected at the time.
struct CCanvasCall {
    enum class Kind { Line, Ellipse, Arc, Rectangle, Polygon, Pixel, Text, Clip };

    Kind kind = Kind::Line;
    CPen pen;
    CBrush brush;
    CRectI box;                   // ellipse, arc, rectangle, text; clip: its area
    std::vector<CPointI> points;  // line: from, to; arc: start, end; polygon; pixel: at;
                                  // clip: the corners of its hole
    bool clipped = true;          // clip: false when the clip was taken away
    std::string text;
    CLogicalFont font;
    int quarterTurns = 0;
    CPaletteColor color{0, 0, 0};  // pixel and text
};

// A canvas for tests: keeps every primitive it is handed and measures text with the
// fixed metric, so drawing code can be checked without a window system.
class CRecordingCanvas : public CCanvas {
public:
    void Line(CPointI from, CPointI to) override;
    void Ellipse(const CRectI& box) override;
    void Arc(const CRectI& box, CPointI start, CPointI end) override;
    void Rectangle(const CRectI& box) override;
    void Polygon(std::span<const CPointI> points) override;
    void Pixel(CPointI at, CPaletteColor color) override;
    void Text(const CRectI& box, std::string_view text, const CLogicalFont& font, int quarterTurns,
              CPaletteColor color) override;
    CSizeI TextExtent(std::string_view text, const CLogicalFont& font) const override;
    void SetDeviceClip(std::optional<CDeviceClip> clip) override;

    const std::vector<CCanvasCall>& Calls() const { return m_calls; }
    void ClearCalls() { m_calls.clear(); }
    // The calls as short lines ("line 100,50 100,39"), for readable expectations.
    std::vector<std::string> Describe() const;

private:
    CCanvasCall& Record(CCanvasCall::Kind kind);

    std::vector<CCanvasCall> m_calls;
};

std::string DescribeCall(const CCanvasCall& call);

}  // namespace kestro
