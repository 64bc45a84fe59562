#include "core/print/print_job.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "core/document/circuit.h"
#include "core/objects/part.h"
#include "core/objects/sim_node.h"
#include "core/platform/settings.h"

namespace kestro {

namespace {

constexpr CSizeI kNoPrinter{850, 1100};

// The cells (page columns or rows) of size `step` from `origin` that a span lo..hi meets,
// among `count`: those it overlaps, or for a span of no length the one it lies in.
bool CellsMet(double lo, double hi, double origin, double step, size_t count, size_t& first,
              size_t& last) {
    const double a = (lo - origin) / step, b = (hi - origin) / step;
    const double from = std::floor(a);
    const double to = hi > lo ? std::ceil(b) - 1.0 : from;
    if (!(to >= 0.0) || !(from <= double(count) - 1.0)) return false;  // also NaN
    first = static_cast<size_t>(std::max(from, 0.0));
    last = static_cast<size_t>(std::min(to, double(count) - 1.0));
    return first <= last;
}

CRectF BoundsOf(const std::vector<const CPart*>& parts) {
    CRectF bounds = parts.front()->GetBounds().Normalized();
    for (const CPart* part : parts)
        bounds = UnionRect(bounds, part->GetBounds().Normalized());
    return bounds;
}

}  // namespace

CPrintJob::CPrintJob(const CCircuit& document, const CPrintRequest& request,
                     std::vector<const CPart*> selection)
    : m_document(document), m_request(request), m_selection(std::move(selection)) {
    if (m_request.printable.cx <= 0 || m_request.printable.cy <= 0)
        m_request.printable = kNoPrinter;
    if (!std::isfinite(m_request.zoom) || m_request.zoom <= 0.0) m_request.zoom = 1.0;
    if (m_request.mode == PrintMode::SelectedArea)
        PlanSelectedArea();
    else
        PlanWholeDrawing();
    if (m_status == Status::Ready && m_pages.empty()) m_status = Status::Empty;
    if (m_status != Status::Ready) {
        m_pages.clear();
        if (m_status == Status::Empty) m_extent = {0, 0, 10, 10};
    }
}

double CPrintJob::GetDrawingHeight() const {
    const double height = m_request.printable.cy;
    return m_request.legend ? height * kDrawingShare : height;
}

void CPrintJob::PlanWholeDrawing() {
    if (m_document.GetObjectCount() == 0) return;
    const CRectF page = m_document.GetDrawingArea().Normalized();
    m_extent = m_document.GetExtent().Normalized();
    m_extent.left = page.left;
    m_extent.top = page.top;
    if (IsEmptyAtTenth(m_extent)) return;
    const double width = m_request.printable.cx, height = GetDrawingHeight();
    m_scale = std::max(width, height) * kPageScale * m_request.zoom;
    m_pageWidth = width / m_scale;
    m_pageHeight = height / m_scale;
    const double across = std::floor(std::fabs(m_extent.Width()) / m_pageWidth) + 1.0;
    const double down = std::floor(std::fabs(m_extent.Height()) / m_pageHeight) + 1.0;
    if (!(across * down <= double(kMaxPages))) {
        m_status = Status::TooManyPages;
        return;
    }
    m_status = Status::Ready;
    KeepPagesMeetingObjects(static_cast<size_t>(across), static_cast<size_t>(down));
}

void CPrintJob::PlanSelectedArea() {
    if (m_selection.empty()) return;
    m_areaBounds = BoundsOf(m_selection);
    m_extent = m_areaBounds.Inflated(kAreaMargin);
    const double width = m_request.printable.cx, height = GetDrawingHeight();
    const double fit =
        std::min(width / std::fabs(m_extent.Width()), height / std::fabs(m_extent.Height()));
    m_scale = std::min(fit, std::max(width, height) * kPageScale * kMaxEnlargement);
    if (!std::isfinite(m_scale) || m_scale <= 0.0) return;
    m_pageWidth = width / m_scale;
    m_pageHeight = height / m_scale;
    m_status = Status::Ready;
    KeepPagesMeetingObjects(1, 1);
}

// Each object marks the block of pages it meets in a table of differences, so finding the
// kept pages costs one pass over the objects and one over the pages, however large the
// objects are.
void CPrintJob::KeepPagesMeetingObjects(size_t across, size_t down) {
    std::vector<int64_t> marks((across + 1) * (down + 1), 0);
    const auto mark = [&](const CPart& part) {
        const CRectF r = part.GetBounds().Normalized();
        size_t c0 = 0, c1 = 0, r0 = 0, r1 = 0;
        if (!CellsMet(r.left, r.right, m_extent.left, m_pageWidth, across, c0, c1) ||
            !CellsMet(r.top, r.bottom, m_extent.top, m_pageHeight, down, r0, r1))
            return;
        const size_t stride = across + 1;
        marks[r0 * stride + c0] += 1;
        marks[r0 * stride + c1 + 1] -= 1;
        marks[(r1 + 1) * stride + c0] -= 1;
        marks[(r1 + 1) * stride + c1 + 1] += 1;
    };
    if (m_request.mode == PrintMode::SelectedArea) {
        for (const CPart* part : m_selection)
            mark(*part);
    } else {
        for (const auto& part : m_document.GetObjects())
            mark(*part);
    }
    const size_t stride = across + 1;
    for (size_t row = 0; row < down; ++row) {
        int64_t running = 0;
        for (size_t column = 0; column < across; ++column) {
            running += marks[row * stride + column];
            // Summing down as well as across turns the differences into counts.
            const int64_t above = row > 0 ? marks[(row - 1) * stride + column] : 0;
            marks[row * stride + column] = running + above;
            if (running + above <= 0) continue;
            const float left = m_extent.left + static_cast<float>(double(column) * m_pageWidth);
            const float top = m_extent.top + static_cast<float>(double(row) * m_pageHeight);
            m_pages.push_back({left, top, left + static_cast<float>(m_pageWidth),
                               top + static_cast<float>(m_pageHeight)});
        }
    }
}

CPointF CPrintJob::SurfaceOrigin(int number) const {
    if (number < 1 || number > GetPageCount()) return {};
    const CRectF& page = m_pages[size_t(number - 1)];
    if (m_request.mode == PrintMode::WholeDrawing) return {-page.left, -page.top};
    const CRectF& b = m_areaBounds;
    const double x = (m_pageWidth - b.Width()) / 2.0 - b.left;
    double y = (m_pageHeight - b.Height()) / 2.0 - b.top;
    if (m_request.pagePosition == kPageTop) y = kPositionGap - b.top;
    if (m_request.pagePosition == kPageBottom) y = m_pageHeight - kPositionGap - b.bottom;
    return {static_cast<float>(x), static_cast<float>(y)};
}

CTitleBlock CPrintJob::TitleBlockOf(const CCanvas& canvas, int number) const {
    return LayoutTitleBlock(canvas, m_request.printable, m_document.GetTitleInfo(), number,
                            GetPageCount());
}

void CPrintJob::PrintPage(CCanvas& canvas, int number) const {
    if (number < 1 || number > GetPageCount()) return;
    const CSizeI size = m_request.printable;
    const CRectI printable{0, 0, size.cx, size.cy};
    if (m_request.resolution > 0.0) canvas.SetPenScale(m_request.resolution / kScreenResolution);
    canvas.SetDeviceClip(CDeviceClip{printable, std::nullopt});
    std::optional<CRectI> block;
    if (m_request.legend) {
        const CTitleBlock title = TitleBlockOf(canvas, number);
        DrawTitleBlock(canvas, title);
        block = title.frame;
    }
    canvas.SetDeviceClip(CDeviceClip{printable, block});
    const CPointF origin = SurfaceOrigin(number);
    canvas.SetZoom(m_scale);
    canvas.SetOrigin(origin);
    canvas.SetClip(CRectF{-origin.x, -origin.y, static_cast<float>(size.cx / m_scale - origin.x),
                          static_cast<float>(size.cy / m_scale - origin.y)});
    DrawObjects(canvas);
    canvas.SetClip(std::nullopt);
    canvas.SetDeviceClip(std::nullopt);
}

void CPrintJob::DrawObjects(CCanvas& canvas) const {
    if (m_request.mode == PrintMode::WholeDrawing) {
        m_document.DrawAll(canvas);
        return;
    }
    canvas.SetColorRoles(m_document.GetEnvironment().settings.colorRoles);
    std::vector<const CSimNode*> nodes;
    std::unordered_set<const CSimNode*> seen;
    for (const CPart* part : m_selection) {
        if (!part->IsHidden()) part->Draw(canvas);
        for (size_t i = 0; i < part->GetTerminalCount(); ++i)
            if (const CSimNode* node = part->GetNode(i); node && seen.insert(node).second)
                nodes.push_back(node);
    }
    for (const CSimNode* node : nodes)
        node->Draw(canvas);
}

}  // namespace kestro
