#include "core/platform/recording_canvas.h"

#include "core/platform/number_text.h"

namespace kestro {

namespace {

std::string PointText(CPointI p) {
    return FormatInt(p.x) + "," + FormatInt(p.y);
}

std::string BoxText(const CRectI& r) {
    return PointText({r.left, r.top}) + " " + PointText({r.right, r.bottom});
}

}  // namespace

CCanvasCall& CRecordingCanvas::Record(CCanvasCall::Kind kind) {
    CCanvasCall& call = m_calls.emplace_back();
    call.kind = kind;
    call.pen = GetPen();
    call.brush = GetBrush();
    return call;
}

void CRecordingCanvas::Line(CPointI from, CPointI to) {
    Record(CCanvasCall::Kind::Line).points = {from, to};
}

void CRecordingCanvas::Ellipse(const CRectI& box) {
    Record(CCanvasCall::Kind::Ellipse).box = box;
}

void CRecordingCanvas::Arc(const CRectI& box, CPointI start, CPointI end) {
    CCanvasCall& call = Record(CCanvasCall::Kind::Arc);
    call.box = box;
    call.points = {start, end};
}

void CRecordingCanvas::Rectangle(const CRectI& box) {
    Record(CCanvasCall::Kind::Rectangle).box = box;
}

void CRecordingCanvas::Polygon(std::span<const CPointI> points) {
    Record(CCanvasCall::Kind::Polygon).points.assign(points.begin(), points.end());
}

void CRecordingCanvas::Pixel(CPointI at, CPaletteColor color) {
    CCanvasCall& call = Record(CCanvasCall::Kind::Pixel);
    call.points = {at};
    call.color = color;
}

void CRecordingCanvas::Text(const CRectI& box, std::string_view text, const CLogicalFont& font,
                            int quarterTurns, CPaletteColor color) {
    CCanvasCall& call = Record(CCanvasCall::Kind::Text);
    call.box = box;
    call.text = text;
    call.font = font;
    call.quarterTurns = quarterTurns;
    call.color = color;
}

void CRecordingCanvas::SetDeviceClip(std::optional<CDeviceClip> clip) {
    CCanvas::SetDeviceClip(clip);
    CCanvasCall& call = Record(CCanvasCall::Kind::Clip);
    call.clipped = clip.has_value();
    if (!clip) return;
    call.box = clip->area;
    if (clip->hole)
        call.points = {{clip->hole->left, clip->hole->top},
                       {clip->hole->right, clip->hole->bottom}};
}

CSizeI CRecordingCanvas::TextExtent(std::string_view text, const CLogicalFont& font) const {
    return FixedTextExtent(text, font);
}

std::vector<std::string> CRecordingCanvas::Describe() const {
    std::vector<std::string> lines;
    lines.reserve(m_calls.size());
    for (const auto& call : m_calls)
        lines.push_back(DescribeCall(call));
    return lines;
}

std::string DescribeCall(const CCanvasCall& call) {
    switch (call.kind) {
        case CCanvasCall::Kind::Line:
            return "line " + PointText(call.points[0]) + " " + PointText(call.points[1]);
        case CCanvasCall::Kind::Ellipse:
            return "ellipse " + BoxText(call.box);
        case CCanvasCall::Kind::Arc:
            return "arc " + BoxText(call.box) + " from " + PointText(call.points[0]) + " to " +
                   PointText(call.points[1]);
        case CCanvasCall::Kind::Rectangle:
            return "rectangle " + BoxText(call.box);
        case CCanvasCall::Kind::Polygon: {
            std::string text = "polygon";
            for (const auto& p : call.points)
                text += " " + PointText(p);
            return text;
        }
        case CCanvasCall::Kind::Pixel:
            return "pixel " + PointText(call.points[0]);
        case CCanvasCall::Kind::Text:
            return "text \"" + call.text + "\" " + BoxText(call.box) + " turns " +
                   FormatInt(call.quarterTurns) + " height " + FormatInt(call.font.height);
        case CCanvasCall::Kind::Clip: {
            if (!call.clipped) return "clip none";
            std::string text = "clip " + BoxText(call.box);
            if (call.points.size() == 2)
                text += " without " + BoxText({call.points[0].x, call.points[0].y, call.points[1].x,
                                               call.points[1].y});
            return text;
        }
    }
    return {};
}

}  // namespace kestro
