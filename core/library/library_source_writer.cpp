// Writing a library as source text that compiles back to the same library file.
#include <cmath>

#include "core/library/library_data.h"
#include "core/library/library_source.h"
#include "core/library/sh_arc.h"
#include "core/library/sh_box.h"
#include "core/library/sh_line.h"
#include "core/library/sh_poly.h"
#include "core/library/sh_text.h"
#include "core/platform/number_text.h"

namespace kestro {

namespace {

constexpr int kNumbersPerLine = 16;
constexpr size_t kBytesPerLine = 32;

std::string F(float v) {
    return ExactFloatText(v);
}

std::string RectText(const CRectF& r) {
    return F(r.left) + " " + F(r.top) + " " + F(r.right) + " " + F(r.bottom);
}

char SuffixLetter(int exponent) {
    switch (exponent) {
        case 3:
            return 'k';
        case 6:
            return 'M';
        case 9:
            return 'G';
        case -3:
            return 'm';
        case -6:
            return 'u';
        case -9:
            return 'n';
        case -12:
            return 'p';
        default:
            return 0;
    }
}

// "float 4.7k" when engineering text reads back exactly, else the exact number and
// its exponent.
std::string FloatValueText(const CGenType& value) {
    const uint32_t word = value.GetExponentWord();
    const int exponent = value.GetExponent();
    if ((word & ~0xFFu) == 0) {
        std::string text;
        if (exponent == 0)
            text = ExactDoubleText(value.GetFloat());
        else if (const char letter = SuffixLetter(exponent))
            text = ExactDoubleText(value.GetFloat() / std::pow(10.0, exponent)) + letter;
        if (!text.empty() && std::isfinite(value.GetFloat())) {
            CGenType check;
            check.SetType(CGenType::Float);
            check.SetFromText(text);
            if (check.GetFloat() == value.GetFloat() && check.GetExponentWord() == word &&
                std::signbit(check.GetFloat()) == std::signbit(value.GetFloat()))
                return "float " + text;
        }
        return "float " + ExactDoubleText(value.GetFloat()) + " exp " + FormatInt(exponent);
    }
    return "float " + ExactDoubleText(value.GetFloat()) + " expword " + HexText(word);
}

std::string ValueText(const CGenType& value) {
    std::string text;
    switch (value.GetType()) {
        case CGenType::Float:
            return FloatValueText(value);
        case CGenType::Boolean:
            text = "boolean " + FormatInt(value.GetInteger());
            break;
        case CGenType::Integer:
            text = "integer " + FormatInt(value.GetInteger());
            break;
        case CGenType::String:
            text = "string " + SourceQuoted(value.GetString());
            break;
        case CGenType::Invalid:
            text = "invalid";
            break;
        default:
            text = "type " + FormatInt(value.GetType());
            break;
    }
    if (value.GetExponentWord() != 0) text += " expword " + HexText(value.GetExponentWord());
    return text;
}

std::string AttributeText(const CNetLine& definition) {
    std::string text = "attr " + SourceWord(definition.GetName());
    if (!definition.GetUnit().empty()) text += " unit " + SourceWord(definition.GetUnit());
    text += " " + ValueText(definition.GetValue());
    if (definition.GetFlags() != 0) text += " flags " + HexText(definition.GetFlags());
    if (definition.GetId() !=
        CNetLine::ComputeId(definition.GetName(), definition.GetValue().GetType()))
        text += " id " + HexText(definition.GetId());
    return text;
}

std::string TextShapeText(const CSHTextAdvance& t) {
    if (t.GetTypeCode() == CShape::kText) {
        const auto& text = static_cast<const CSHText&>(t);
        std::string line = "text " + SourceQuoted(text.GetText()) + " font " +
                           FormatInt(text.GetFontIndex() + 1) + " at " + F(text.GetAnchor().x) +
                           " " + F(text.GetAnchor().y);
        if (text.GetRotation() != 0) line += " rot " + FormatInt(text.GetRotation());
        return line + " extent " + RectText(text.GetExtent());
    }
    return "textadv " + SourceQuoted(t.GetText()) + " face " + SourceQuoted(t.GetFaceName()) +
           " height " + FormatInt(t.GetHeight()) + " style " + HexText(t.GetStyle()) + " color " +
           FormatInt(t.GetColorIndex()) + " extent " + RectText(t.GetExtent()) + " width " +
           FormatInt(t.GetLastWidth()) + " at " + F(t.GetAnchor().x) + " " + F(t.GetAnchor().y) +
           " rot " + FormatInt(t.GetRotation()) + " pcolor " + FormatInt(t.GetUsePlacementColor());
}

std::string ShapeText(const CShape& shape) {
    switch (shape.GetTypeCode()) {
        case CShape::kLine: {
            const auto& line = static_cast<const CSHLine&>(shape);
            std::string text = "line " + RectText(line.GetRect());
            if (line.GetPenWidth() != 0) text += " width " + FormatInt(line.GetPenWidth());
            if (line.GetPenStyle() != 0) text += " style " + FormatInt(line.GetPenStyle());
            return text;
        }
        case CShape::kEllipse:
            return "ellipse " + RectText(shape.GetRect());
        case CShape::kRect:
            return "rrect " + RectText(shape.GetRect());
        case CShape::kArc:
            return "arc " + RectText(shape.GetRect()) + " orient " +
                   FormatInt(static_cast<const CSHArc&>(shape).GetOrientation());
        case CShape::kPoly: {
            std::string text = "poly";
            for (const auto& p : static_cast<const CSHPoly&>(shape).GetPoints())
                text += " " + F(p.x) + " " + F(p.y);
            return text;
        }
        default:
            return TextShapeText(static_cast<const CSHTextAdvance&>(shape));
    }
}

void WriteElement(std::string& out, const std::string& head, const CLibElement& element,
                  bool withName) {
    out += head + "\n";
    if (withName && !element.GetName().empty())
        out += "  name " + SourceWord(element.GetName()) + "\n";
    out += "  description " + SourceQuoted(element.GetDescription()) + "\n";
    out += "  flags " + HexText(element.GetFlags()) + "\n";
    out += "  rect " + RectText(element.GetRect()) + "\n";
    for (const auto& shape : element.GetShapes())
        out += "  " + ShapeText(*shape) + "\n";
    for (const auto& p : element.GetOutputPoints())
        out += "  pin " + F(p.x) + " " + F(p.y) + "\n";
    for (const auto& definition : element.GetDefinitions())
        out += "  " + AttributeText(*definition) + "\n";
    out += "end\n\n";
}

void WriteFonts(std::string& out, const CLibraryFonts& fonts) {
    for (size_t i = 0; i < fonts.size(); ++i) {
        const CLibraryFont& f = fonts[i];
        out += "font " + FormatInt(int64_t(i) + 1) + " " + SourceQuoted(f.faceName) + " height " +
               FormatInt(f.height) + " weight " + FormatInt(f.weight) + " italic " +
               FormatInt(f.italic) + " size " + FormatInt(f.pointSize) + "\n";
    }
}

void WriteOldNumbers(std::string& out, const std::vector<uint16_t>& numbers) {
    for (size_t i = 0; i < numbers.size(); i += kNumbersPerLine) {
        out += "oldmap";
        for (size_t k = i; k < std::min(numbers.size(), i + kNumbersPerLine); ++k)
            out += " " + FormatInt(numbers[k]);
        out += "\n";
    }
}

class CMenuWriter {
public:
    explicit CMenuWriter(CLibraryData& library) : m_library(library) {}

    void Write(std::string& out) {
        const std::vector<uint8_t> bytes = m_library.GetMenus().GetBytes();
        const std::vector<CMenuItem> items = ReadMenuStream(bytes.data(), bytes.size());
        if (WriteMenuStream(items) != bytes) return WriteRaw(out, bytes);
        out += "menu\n";
        WriteLevel(out, items, "  ");
        out += "end\n";
    }

private:
    static void WriteRaw(std::string& out, const std::vector<uint8_t>& bytes) {
        static const char kHex[] = "0123456789abcdef";
        out += "menu raw\n";
        for (size_t i = 0; i < bytes.size(); i += kBytesPerLine) {
            out += "  bytes ";
            for (size_t k = i; k < std::min(bytes.size(), i + kBytesPerLine); ++k) {
                out += kHex[bytes[k] >> 4];
                out += kHex[bytes[k] & 0xF];
            }
            out += "\n";
        }
        out += "end\n";
    }

    void WriteLevel(std::string& out, const std::vector<CMenuItem>& items,
                    const std::string& indent) {
        for (const auto& item : items) {
            switch (item.kind) {
                case CMenuItem::Kind::Separator:
                    out += indent + "separator\n";
                    break;
                case CMenuItem::Kind::Popup:
                    out += indent + "popup " + SourceQuoted(item.label) + "\n";
                    WriteLevel(out, item.children, indent + "  ");
                    out += indent + "end\n";
                    break;
                case CMenuItem::Kind::Element:
                    out += indent + ItemText(item) + "\n";
                    break;
            }
        }
    }

    // By netlist name where the name finds this very element, else by identifier.
    std::string ItemText(const CMenuItem& item) {
        const int code = item.code;
        const CLibElement* element = code >= 0 ? m_library.GetElement(code) : nullptr;
        const bool regular = code >= 0 && code < static_cast<int>(m_library.GetElementCount());
        std::string text;
        if (regular && m_library.FindElementByName(element->GetName()) == code)
            text = "item " + SourceWord(element->GetName());
        else
            text = "item @" + FormatInt(code);
        const bool defaultLabel = element != nullptr && item.label == element->GetName();
        if (!defaultLabel) text += " " + SourceQuoted(item.label);
        return text;
    }

    CLibraryData& m_library;
};

}  // namespace

std::string WriteLibrarySource(CLibraryData& library) {
    library.LoadAllElements();
    std::string out = "# Kestro element library\nlibrary\n";
    WriteFonts(out, library.GetFonts());
    WriteOldNumbers(out, library.GetOldNumbers());
    out += "\n";
    WriteElement(out, "control", library.GetControlElement(), true);
    WriteElement(out, "port", library.GetPortElement(), false);
    WriteElement(out, "label", library.GetLabelElement(), true);
    for (uint32_t i = 0; i < library.GetElementCount(); ++i)
        WriteElement(out, "element " + SourceWord(library.GetElement(i)->GetName()),
                     *library.GetElement(i), false);
    CMenuWriter(library).Write(out);
    return out;
}

}  // namespace kestro
