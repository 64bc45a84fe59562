#include "core/library/shape.h"

#include <algorithm>

#include "core/library/sh_arc.h"
#include "core/library/sh_ellipse.h"
#include "core/library/sh_line.h"
#include "core/library/sh_poly.h"
#include "core/library/sh_rrect.h"
#include "core/library/sh_text.h"
#include "core/platform/record_buffer.h"

namespace kestro {

const CLibraryFont& CShapeContext::LibraryFont(int index) const {
    static const CLibraryFonts kStartup = StartupLibraryFonts();
    const CLibraryFonts& fonts = libraryFonts != nullptr ? *libraryFonts : kStartup;
    return fonts[(index >= 0 && index < 4) ? static_cast<size_t>(index) : 0];
}

std::unique_ptr<CShape> CShape::CloneTransformed(const CPlacement& placement,
                                                 CPointF origin) const {
    std::unique_ptr<CShape> copy = Clone();
    copy->Transform(placement);
    copy->Offset(-origin.x, -origin.y);
    return copy;
}

std::unique_ptr<CShape> CreateShape(uint16_t typeCode, const CShapeContext& context) {
    switch (typeCode) {
        case CShape::kLine:
            return std::make_unique<CSHLine>();
        case CShape::kEllipse:
            return std::make_unique<CSHEllipse>();
        case CShape::kArc:
            return std::make_unique<CSHArc>();
        case CShape::kRect:
            return std::make_unique<CSHRRect>();
        case CShape::kPoly:
            return std::make_unique<CSHPoly>();
        case CShape::kText:
            return std::make_unique<CSHText>(context.LibraryFont(0));
        case CShape::kTextAdvance:
            return std::make_unique<CSHTextAdvance>(context.defaultTextFont);
        default:
            return nullptr;
    }
}

void SerializeShapes(CRecordBuffer& buffer, CShapeList& shapes, const CShapeContext& context) {
    if (buffer.IsStoring()) {
        buffer.Put<uint32_t>(static_cast<uint32_t>(shapes.size()));
        for (auto& shape : shapes) {
            buffer.Put<uint16_t>(shape->GetTypeCode());
            shape->Serialize(buffer, context);
        }
        return;
    }
    shapes.clear();
    const uint32_t count = buffer.Get<uint32_t>();
    // Every record takes bytes: a count beyond the data is damage, not a reason to spin.
    for (uint32_t i = 0; i < count && buffer.Remaining() >= sizeof(uint16_t); ++i) {
        std::unique_ptr<CShape> shape = CreateShape(buffer.Get<uint16_t>(), context);
        if (!shape) continue;
        shape->Serialize(buffer, context);
        shapes.push_back(std::move(shape));
    }
}

CShapeList CloneShapes(const CShapeList& shapes) {
    CShapeList copies;
    copies.reserve(shapes.size());
    for (const auto& shape : shapes)
        copies.push_back(shape->Clone());
    return copies;
}

CRectI DeviceBox(const CCanvas& canvas, const CRectF& placed) {
    const CPointI a = canvas.ToDevice({placed.left, placed.top});
    const CPointI b = canvas.ToDevice({placed.right, placed.bottom});
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1};
}

CRectF TurnRect(const CRectF& r, int turns) {
    const CPointF a = TurnAboutOrigin({r.left, r.top}, turns);
    const CPointF b = TurnAboutOrigin({r.right, r.bottom}, turns);
    return CRectF{a.x, a.y, b.x, b.y}.Normalized();
}

}  // namespace kestro
