#include "core/library/old_element.h"

#include <charconv>
#include <cmath>

#include "core/library/sh_arc.h"
#include "core/library/sh_ellipse.h"
#include "core/library/sh_line.h"
#include "core/library/sh_rrect.h"

namespace kestro {

namespace {

constexpr uint32_t kNameFlags = CNetLine::kTextLink;

float Coordinate(const uint8_t* p) {
    const auto raw = static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
    return static_cast<float>(raw * kOldDrawingUnit);
}

CRectF Box(const uint8_t* p) {
    return {Coordinate(p), Coordinate(p + 2), Coordinate(p + 4), Coordinate(p + 6)};
}

size_t CommandSize(uint8_t letter) {
    switch (letter) {
        case 'A':
        case 'M':
            return 10;
        case 'E':
        case 'R':
            return 9;
        default:
            return 0;
    }
}

std::unique_ptr<CShape> MakeShape(const uint8_t* command) {
    switch (command[0]) {
        case 'A':
            return std::make_unique<CSHArc>(Box(command + 2), uint16_t(command[1] % 4));
        case 'E':
            return std::make_unique<CSHEllipse>(Box(command + 1));
        case 'M': {
            const CRectF ends = Box(command + 2);
            return std::make_unique<CSHLine>(CPointF{ends.left, ends.top},
                                             CPointF{ends.right, ends.bottom});
        }
        default:
            return std::make_unique<CSHRRect>(Box(command + 1));
    }
}

// The symbol box moved so that its centre lies on the origin.
CRectF CentredBox(const std::array<int16_t, 4>& box) {
    const float cx = (float(box[0]) + float(box[2])) / 2;
    const float cy = (float(box[1]) + float(box[3])) / 2;
    return {box[0] - cx, box[1] - cy, box[2] - cx, box[3] - cy};
}

// The shortest decimal that reads back as the same single: 4.7, not 4.699999809.
double SingleAsDecimal(float value) {
    if (!std::isfinite(value)) return value;
    char text[32];
    const auto printed = std::to_chars(text, text + sizeof text, value);
    double decimal = value;
    std::from_chars(text, printed.ptr, decimal);
    return decimal;
}

void AddAttributes(const COldRecord& record, CLibElement& element) {
    element.SetFlags(CLibElement::kShowInDialog | CLibElement::kShowInList2);
    element.AddDefinition(
        CNetLine("Name", "", CGenType::MakeString(record.instanceName), kNameFlags));
    // The first attribute record stands for the name and is replaced by the one above.
    for (size_t i = 1; i < record.attributes.size(); ++i) {
        const COldAttribute& a = record.attributes[i];
        element.AddDefinition(
            CNetLine(a.name, a.unit, OldAttributeValue(a), a.shown != 0 ? 0 : CNetLine::kHidden));
    }
}

void MakeGround(CLibElement& element) {
    element.SetFlags(CLibElement::kGround);
    element.SetDescription("Ground");
    element.AddDefinition(CNetLine("Name", "", CGenType::MakeString("Ground"), kNameFlags));
}

}  // namespace

CGenType OldAttributeValue(const COldAttribute& attribute) {
    switch (attribute.type) {
        case COldAttribute::kBoolean:
            return CGenType::MakeBoolean(attribute.value != 0);
        case COldAttribute::kString:
            return CGenType::MakeString(attribute.text);
        default:
            return CGenType::MakeFloat(SingleAsDecimal(attribute.value));
    }
}

std::optional<uint8_t> ConvertOldDrawing(const std::vector<uint8_t>& drawing, CShapeList& shapes) {
    size_t at = 0;
    while (at < drawing.size()) {
        const uint8_t letter = drawing[at];
        const size_t size = CommandSize(letter);
        if (size == 0 || drawing.size() - at < size) return letter;
        shapes.push_back(MakeShape(drawing.data() + at));
        at += size;
    }
    return std::nullopt;
}

std::unique_ptr<CLibElement> ConvertOldElement(const COldRecord& record, uint16_t index,
                                               std::optional<uint8_t>* stoppedAt) {
    auto element = std::make_unique<CLibElement>();
    element->SetName(record.netlistName);
    element->SetIdentifier(index);
    element->SetRect(CentredBox(record.box));
    for (const auto& [x, y] : record.ports)
        element->GetOutputPoints().push_back({float(x), float(y)});
    if (record.attributes.empty())
        MakeGround(*element);
    else
        AddAttributes(record, *element);
    const std::optional<uint8_t> stop = ConvertOldDrawing(record.drawing, element->GetShapes());
    if (stoppedAt) *stoppedAt = stop;
    return element;
}

}  // namespace kestro
