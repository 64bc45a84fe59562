// Compiling a library source into a library (the statements are described in
// docs/library-format.md).
#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>

#include "core/library/library_data.h"
#include "core/library/library_source.h"
#include "core/library/sh_arc.h"
#include "core/library/sh_ellipse.h"
#include "core/library/sh_line.h"
#include "core/library/sh_poly.h"
#include "core/library/sh_rrect.h"
#include "core/library/sh_text.h"
#include "core/platform/byte_stream.h"
#include "core/platform/path.h"

namespace kestro {

namespace {

constexpr int kMaxIncludeDepth = 16;

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// The words of one statement, read from the front.
class CStatement {
public:
    CStatement(std::vector<CSourceToken> tokens, const std::string& file, int line)
        : m_tokens(std::move(tokens)), m_file(file), m_line(line) {}

    const std::string& File() const { return m_file; }
    int Line() const { return m_line; }
    bool AtEnd() const { return m_next >= m_tokens.size(); }
    bool PeekKeyword(std::string_view keyword) const {
        return !AtEnd() && !m_tokens[m_next].quoted && m_tokens[m_next].text == keyword;
    }
    [[noreturn]] void Fail(const std::string& message) const {
        throw CSourceError(m_file, m_line, message);
    }

    const CSourceToken& Token(const char* what) {
        if (AtEnd()) Fail(std::string("missing ") + what);
        return m_tokens[m_next++];
    }
    std::string Word(const char* what) { return Token(what).text; }
    // A bare word (a keyword or statement name); empty at the end of the line.
    std::string Keyword() {
        if (AtEnd()) return {};
        const CSourceToken& token = m_tokens[m_next];
        if (token.quoted) Fail("unexpected text " + Quoted(token.text));
        ++m_next;
        return token.text;
    }
    float Float(const char* what) { return Number<float>(what); }
    double Double(const char* what) { return Number<double>(what); }
    template <typename T>
    T Number(const char* what) {
        const std::string text = Word(what);
        T value = 0;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
        if (result.ec != std::errc() || result.ptr != text.data() + text.size())
            Fail(std::string(what) + " must be a number, not " + Quoted(text));
        return value;
    }
    int64_t Integer(const char* what, int64_t min, int64_t max) {
        const std::string text = Word(what);
        std::string_view digits = text;
        const bool negative = !digits.empty() && digits[0] == '-';
        if (negative) digits.remove_prefix(1);
        int base = 10;
        if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
            digits.remove_prefix(2);
            base = 16;
        }
        uint64_t magnitude = 0;
        const auto result =
            std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
        if (digits.empty() || result.ec != std::errc() ||
            result.ptr != digits.data() + digits.size() || magnitude > (uint64_t{1} << 40))
            Fail(std::string(what) + " must be a whole number, not " + Quoted(text));
        const int64_t value =
            negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
        if (value < min || value > max)
            Fail(std::string(what) + " " + text + " is out of range " + std::to_string(min) +
                 " to " + std::to_string(max));
        return value;
    }
    void ExpectEnd() {
        if (!AtEnd()) Fail("unexpected " + Quoted(m_tokens[m_next].text));
    }

private:
    std::vector<CSourceToken> m_tokens;
    std::string m_file;
    int m_line;
    size_t m_next = 0;
};

// The lines of one source file, handed out as statements.
class CSourceFile {
public:
    CSourceFile(std::string path, const std::string& text) : m_path(std::move(path)) {
        size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
        while (start <= text.size()) {
            const size_t end = text.find('\n', start);
            m_lines.push_back(
                text.substr(start, end == std::string::npos ? std::string::npos : end - start));
            if (end == std::string::npos) break;
            start = end + 1;
        }
    }
    const std::string& Path() const { return m_path; }
    int LineNumber() const { return static_cast<int>(m_next); }
    // The next statement that is not empty; nothing at the end of the file.
    std::optional<CStatement> Next() {
        while (m_next < m_lines.size()) {
            const int number = static_cast<int>(++m_next);
            auto tokens = SplitSourceLine(m_lines[m_next - 1], m_path, number);
            if (!tokens.empty()) return CStatement(std::move(tokens), m_path, number);
        }
        return std::nullopt;
    }

private:
    std::string m_path;
    std::vector<std::string> m_lines;
    size_t m_next = 0;
};

bool IsEngineeringNumber(std::string_view text) {
    size_t i = 0;
    const auto digits = [&] {
        const size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        return i - start;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t mantissa = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (digits() == 0) return false;
    }
    if (i < text.size() && std::string_view("kMGmunp").find(text[i]) != std::string_view::npos) ++i;
    return i == text.size();
}

enum class BlockKind { Element, Control, Port, Label };

// A menu entry whose element is named in the source, resolved once every element is known.
struct CPendingItem {
    CMenuItem::Kind kind = CMenuItem::Kind::Separator;
    std::string name;  // element entries by name
    std::optional<int> code;
    std::optional<std::string> label;
    std::vector<CPendingItem> children;
    std::string file;
    int line = 0;
};

void ClearElement(CLibElement& element, const std::string& name) {
    element.SetName(name);
    element.SetFlags(0);
    element.SetDescription({});
    element.SetRect({});
    element.GetShapes().clear();
    element.GetOutputPoints().clear();
    element.GetDefinitions().clear();
}

class CSourceReader {
public:
    CSourceReader(CLibraryData& library, CLibraryDocs& docs, const CSourceFileReader& readFile)
        : m_library(library), m_docs(docs), m_readFile(readFile) {}

    void ReadMain(const std::string& path) {
        ReadFile(path, m_readFile(path), 0);
        if (!m_sawLibrary) throw CSourceError(path, 1, "the source must start with \"library\"");
        ResolveMenu();
    }

private:
    void ReadFile(const std::string& path, const std::string& text, int depth) {
        CSourceFile file(path, text);
        m_includeStack.push_back(path);
        while (std::optional<CStatement> statement = file.Next())
            ReadTopStatement(*statement, file, depth);
        m_includeStack.pop_back();
    }

    void ReadTopStatement(CStatement& s, CSourceFile& file, int depth) {
        const std::string word = s.Keyword();
        const bool first = !m_sawStatement;
        m_sawStatement = true;
        if (first && depth == 0 && word != "library")
            s.Fail("the source must start with \"library\"");
        if (word == "library") {
            s.ExpectEnd();
            m_sawLibrary = true;
            return;
        }
        if (word == "include") return ReadInclude(s, depth);
        if (word == "font") return ReadFont(s);
        if (word == "oldmap") return ReadOldMap(s);
        if (word == "element") return ReadElement(s, file);
        if (word == "control") return ReadBuiltIn(s, file, BlockKind::Control);
        if (word == "port") return ReadBuiltIn(s, file, BlockKind::Port);
        if (word == "label") return ReadBuiltIn(s, file, BlockKind::Label);
        if (word == "menu") return ReadMenu(s, file);
        s.Fail("unknown statement " + Quoted(word));
    }

    void ReadInclude(CStatement& s, int depth) {
        const std::string name = s.Word("file name");
        s.ExpectEnd();
        if (depth + 1 > kMaxIncludeDepth) s.Fail("includes nested too deeply");
        // A relative name is taken from the folder of the file that includes it.
        const std::string path =
            !name.empty() && name[0] != '/' ? JoinPath(FolderOf(s.File()), name) : name;
        if (std::find(m_includeStack.begin(), m_includeStack.end(), path) != m_includeStack.end())
            s.Fail(Quoted(name) + " includes itself");
        std::string text;
        try {
            text = m_readFile(path);
        } catch (const CFileException& e) {
            s.Fail("cannot read " + Quoted(name) + ": " + e.what());
        }
        ReadFile(path, text, depth + 1);
    }

    void ReadFont(CStatement& s) {
        const auto number = s.Integer("font number", 1, 4);
        CLibraryFont font = m_library.GetFonts()[static_cast<size_t>(number - 1)];
        font.faceName = s.Word("face name");
        while (!s.AtEnd()) {
            const std::string key = s.Keyword();
            if (key == "height")
                font.height = static_cast<int32_t>(s.Integer("height", INT32_MIN, INT32_MAX));
            else if (key == "weight")
                font.weight = static_cast<int32_t>(s.Integer("weight", INT32_MIN, INT32_MAX));
            else if (key == "italic")
                font.italic = static_cast<uint32_t>(s.Integer("italic", 0, UINT32_MAX));
            else if (key == "size")
                font.pointSize = static_cast<int32_t>(s.Integer("size", INT32_MIN, INT32_MAX));
            else
                s.Fail("unknown font setting " + Quoted(key));
        }
        m_library.SetFont(static_cast<int>(number - 1), font);
    }

    void ReadOldMap(CStatement& s) {
        std::vector<uint16_t> numbers = m_library.GetOldNumbers();
        while (!s.AtEnd())
            numbers.push_back(static_cast<uint16_t>(s.Integer("old element number", 0, 65535)));
        if (numbers.size() > 65535) s.Fail("more than 65535 old element numbers");
        m_library.SetOldNumbers(std::move(numbers));
    }

    void ReadElement(CStatement& s, CSourceFile& file) {
        const std::string name = s.Word("netlist name");
        s.ExpectEnd();
        if (m_library.GetElementCount() >= CLibraryData::kMaxElements)
            s.Fail("more than 1004 elements");
        std::string key = name;
        std::transform(key.begin(), key.end(), key.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (!name.empty()) {
            if (auto seen = m_names.find(key); seen != m_names.end())
                s.Fail("element " + Quoted(name) + " already defined at " + seen->second);
            m_names[key] = s.File() + ":" + std::to_string(s.Line());
        }
        auto element = std::make_unique<CLibElement>();
        element->SetName(name);
        CElementDocs docs;
        docs.name = name;
        ReadBody(file, s, *element, docs, BlockKind::Element);
        m_library.AppendElement(std::move(element));
        m_docs.elements.push_back(std::move(docs));
    }

    void ReadBuiltIn(CStatement& s, CSourceFile& file, BlockKind kind) {
        s.ExpectEnd();
        const char* word = kind == BlockKind::Control ? "control"
                           : kind == BlockKind::Port  ? "port"
                                                      : "label";
        auto& seen = m_builtInSeen[static_cast<int>(kind)];
        if (!seen.empty()) s.Fail(std::string(word) + " already defined at " + seen);
        seen = s.File() + ":" + std::to_string(s.Line());
        CLibElement& element = kind == BlockKind::Control ? m_library.GetControlElement()
                               : kind == BlockKind::Port  ? m_library.GetPortElement()
                                                          : m_library.GetLabelElement();
        CElementDocs& docs = kind == BlockKind::Control ? m_docs.control
                             : kind == BlockKind::Port  ? m_docs.port
                                                        : m_docs.label;
        ClearElement(element, kind == BlockKind::Port ? "Port" : "");
        docs = {};
        ReadBody(file, s, element, docs, kind);
        docs.name = element.GetName();
    }

    void ReadBody(CSourceFile& file, const CStatement& head, CLibElement& element,
                  CElementDocs& docs, BlockKind kind) {
        for (;;) {
            std::optional<CStatement> s = file.Next();
            if (!s) head.Fail("no \"end\" for this block before the end of " + Quoted(file.Path()));
            const std::string word = s->Keyword();
            if (word == "end") {
                s->ExpectEnd();
                return;
            }
            ReadBodyStatement(*s, word, element, docs, kind);
            s->ExpectEnd();
        }
    }

    void ReadBodyStatement(CStatement& s, const std::string& word, CLibElement& element,
                           CElementDocs& docs, BlockKind kind) {
        if (word == "name") {
            const std::string name = s.Word("netlist name");
            if (kind == BlockKind::Element)
                s.Fail("an element's netlist name follows the word \"element\"");
            if (kind == BlockKind::Port && name != "Port")
                s.Fail("the port's netlist name is always \"Port\"");
            element.SetName(name);
        } else if (word == "description") {
            element.SetDescription(s.Word("description"));
        } else if (word == "flags") {
            element.SetFlags(static_cast<uint32_t>(s.Integer("flags", 0, UINT32_MAX)));
        } else if (word == "rect") {
            element.SetRect(ReadRect(s));
        } else if (word == "pin") {
            if (element.GetOutputPoints().size() >= 65535) s.Fail("more than 65535 pins");
            const float x = s.Float("pin x");
            const float y = s.Float("pin y");
            element.GetOutputPoints().push_back({x, y});
            docs.pins.push_back(s.AtEnd() ? std::string{} : s.Word("pin meaning"));
        } else if (word == "attr") {
            ReadAttribute(s, element, docs);
        } else if (auto shape = ReadShape(s, word)) {
            element.AddShape(std::move(shape));
        } else {
            s.Fail("unknown shape " + Quoted(word));
        }
    }

    static CRectF ReadRect(CStatement& s) {
        CRectF r;
        r.left = s.Float("left");
        r.top = s.Float("top");
        r.right = s.Float("right");
        r.bottom = s.Float("bottom");
        return r;
    }

    static uint16_t ReadU16(CStatement& s, const char* what) {
        return static_cast<uint16_t>(s.Integer(what, 0, 65535));
    }

    std::unique_ptr<CShape> ReadShape(CStatement& s, const std::string& word) {
        if (word == "line") return ReadLine(s);
        if (word == "ellipse") return std::make_unique<CSHEllipse>(ReadRect(s));
        if (word == "rrect") return std::make_unique<CSHRRect>(ReadRect(s));
        if (word == "arc") {
            auto arc = std::make_unique<CSHArc>(ReadRect(s), 0);
            while (!s.AtEnd()) {
                const std::string key = s.Keyword();
                if (key != "orient") s.Fail("unknown arc setting " + Quoted(key));
                arc->SetOrientation(ReadU16(s, "orientation"));
            }
            return arc;
        }
        if (word == "poly") {
            std::vector<CPointF> points;
            while (!s.AtEnd()) {
                const float x = s.Float("polygon x");
                points.push_back({x, s.Float("polygon y")});
            }
            if (points.size() > 65535) s.Fail("more than 65535 polygon points");
            return std::make_unique<CSHPoly>(std::move(points));
        }
        if (word == "text") return ReadText(s);
        if (word == "textadv") return ReadTextAdvance(s);
        return nullptr;
    }

    static std::unique_ptr<CShape> ReadLine(CStatement& s) {
        const float x1 = s.Float("x1"), y1 = s.Float("y1");
        const float x2 = s.Float("x2"), y2 = s.Float("y2");
        auto line = std::make_unique<CSHLine>(CPointF{x1, y1}, CPointF{x2, y2});
        uint16_t width = 0, style = 0;
        while (!s.AtEnd()) {
            const std::string key = s.Keyword();
            if (key == "width")
                width = ReadU16(s, "pen width");
            else if (key == "style")
                style = ReadU16(s, "pen style");
            else
                s.Fail("unknown line setting " + Quoted(key));
        }
        line->SetPen(width, style);
        return line;
    }

    std::unique_ptr<CShape> ReadText(CStatement& s) {
        auto text = std::make_unique<CSHText>(m_library.GetFonts()[0]);
        text->SetText(s.Word("text"));
        while (!s.AtEnd()) {
            const std::string key = s.Keyword();
            if (key == "font") {
                const auto number = s.Integer("font number", 1, 4);
                text->SetLibraryFont(static_cast<uint16_t>(number - 1),
                                     m_library.GetFonts()[static_cast<size_t>(number - 1)]);
            } else if (!ReadTextPlacement(s, key, *text)) {
                s.Fail("unknown text setting " + Quoted(key));
            }
        }
        return text;
    }

    std::unique_ptr<CShape> ReadTextAdvance(CStatement& s) {
        auto text = std::make_unique<CSHTextAdvance>(m_library.GetShapeContext().defaultTextFont);
        text->SetText(s.Word("text"));
        while (!s.AtEnd()) {
            const std::string key = s.Keyword();
            if (key == "face")
                text->SetFaceName(s.Word("face name"));
            else if (key == "height")
                text->SetHeight(static_cast<int32_t>(s.Integer("height", INT32_MIN, INT32_MAX)));
            else if (key == "style")
                text->SetStyle(static_cast<uint32_t>(s.Integer("style", 0, UINT32_MAX)));
            else if (key == "color")
                text->SetColorIndex(ReadU16(s, "colour index"));
            else if (key == "width")
                text->SetLastWidth(static_cast<uint32_t>(s.Integer("width", 0, UINT32_MAX)));
            else if (key == "pcolor")
                text->SetUsePlacementColor(
                    static_cast<uint32_t>(s.Integer("placement colour flag", 0, UINT32_MAX)));
            else if (!ReadTextPlacement(s, key, *text))
                s.Fail("unknown text setting " + Quoted(key));
        }
        return text;
    }

    static bool ReadTextPlacement(CStatement& s, const std::string& key, CSHTextAdvance& text) {
        if (key == "at") {
            const float x = s.Float("anchor x");
            text.SetAnchor({x, s.Float("anchor y")});
        } else if (key == "rot") {
            text.SetRotation(static_cast<uint16_t>(s.Integer("rotation", 0, 3)));
        } else if (key == "extent") {
            text.SetExtent(ReadRect(s));
        } else {
            return false;
        }
        return true;
    }

    void ReadAttribute(CStatement& s, CLibElement& element, CElementDocs& docs) {
        CNetLine definition;
        definition.SetName(s.Word("attribute name"));
        if (s.PeekKeyword("unit")) {
            s.Keyword();
            definition.SetUnit(s.Word("unit"));
        }
        const std::string type = s.Keyword();
        std::string valueText;
        uint16_t typeCode = CGenType::Invalid;
        if (type == "float" || type == "boolean" || type == "integer" || type == "string") {
            valueText = s.Word("default value");
            typeCode = type == "float"     ? CGenType::Float
                       : type == "boolean" ? CGenType::Boolean
                       : type == "integer" ? CGenType::Integer
                                           : CGenType::String;
        } else if (type == "type") {
            typeCode = static_cast<uint16_t>(s.Integer("type code", 0, 65535));
            if (typeCode >= CGenType::Float && typeCode <= CGenType::String)
                s.Fail("write type " + std::to_string(typeCode) + " by its name with a value");
        } else if (type != "invalid") {
            s.Fail(type.empty() ? "missing attribute type"
                                : "unknown attribute type " + Quoted(type) +
                                      " (float, boolean, integer, string)");
        }
        std::optional<int> exponent;
        std::optional<uint32_t> exponentWord;
        std::optional<uint32_t> id;
        std::string doc;
        uint32_t flags = 0;
        while (!s.AtEnd()) {
            const std::string key = s.Keyword();
            if (key == "flags")
                flags = static_cast<uint32_t>(s.Integer("flags", 0, UINT32_MAX));
            else if (key == "id")
                id = static_cast<uint32_t>(s.Integer("identifier", 0, UINT32_MAX));
            else if (key == "doc")
                doc = s.Word("meaning");
            else if (key == "exp" && typeCode == CGenType::Float)
                exponent = static_cast<int>(s.Integer("exponent", -128, 127));
            else if (key == "expword")
                exponentWord = static_cast<uint32_t>(s.Integer("exponent word", 0, UINT32_MAX));
            else
                s.Fail("unknown attribute setting " + Quoted(key));
        }
        definition.SetValue(MakeValue(s, typeCode, valueText, exponent, exponentWord));
        definition.SetFlags(flags);
        definition.ComputeId();
        if (id) definition.SetId(*id);
        element.AddDefinition(std::move(definition));
        docs.attributes.push_back(doc);
    }

    static CGenType MakeValue(CStatement& s, uint16_t type, const std::string& text,
                              std::optional<int> exponent, std::optional<uint32_t> exponentWord) {
        CGenType value;
        value.SetType(type);
        switch (type) {
            case CGenType::Float:
                if (exponent || exponentWord) {
                    CStatement number({{text, false}}, s.File(), s.Line());
                    value.SetFloatValue(number.Double("float value"), exponent.value_or(0));
                } else {
                    if (!IsEngineeringNumber(text))
                        s.Fail(
                            "float value must be a number with an optional suffix k M G m u "
                            "n p, not " +
                            Quoted(text));
                    value.SetFromText(text);
                }
                break;
            case CGenType::Boolean:
            case CGenType::Integer: {
                CStatement number({{text, false}}, s.File(), s.Line());
                value.SetIntegerValue(
                    static_cast<int32_t>(number.Integer("value", INT32_MIN, INT32_MAX)));
                break;
            }
            case CGenType::String:
                value.SetStringValue(text);
                break;
            default:
                break;
        }
        if (exponentWord) value.SetExponentWord(*exponentWord);
        return value;
    }

    void ReadMenu(CStatement& s, CSourceFile& file) {
        if (!m_menuSeen.empty()) s.Fail("menu already defined at " + m_menuSeen);
        m_menuSeen = s.File() + ":" + std::to_string(s.Line());
        if (s.PeekKeyword("raw")) {
            s.Keyword();
            s.ExpectEnd();
            return ReadRawMenu(s, file);
        }
        s.ExpectEnd();
        m_menu = ReadMenuLevel(file, s, 0);
        m_hasMenu = true;
    }

    void ReadRawMenu(const CStatement& head, CSourceFile& file) {
        for (;;) {
            std::optional<CStatement> s = file.Next();
            if (!s) head.Fail("no \"end\" for this menu before the end of " + Quoted(file.Path()));
            const std::string word = s->Keyword();
            if (word == "end") {
                s->ExpectEnd();
                return;
            }
            if (word != "bytes") s->Fail("a raw menu holds only \"bytes\" lines");
            while (!s->AtEnd()) {
                const std::string hex = s->Word("bytes");
                for (size_t i = 0; i < hex.size(); i += 2) {
                    unsigned value = 0;
                    const auto result = std::from_chars(
                        hex.data() + i, hex.data() + std::min(i + 2, hex.size()), value, 16);
                    if (hex.size() % 2 != 0 || result.ec != std::errc() ||
                        result.ptr != hex.data() + i + 2)
                        s->Fail("bytes are pairs of hex digits, not " + Quoted(hex));
                    m_rawMenu.push_back(static_cast<uint8_t>(value));
                }
            }
        }
    }

    std::vector<CPendingItem> ReadMenuLevel(CSourceFile& file, const CStatement& head, int depth) {
        std::vector<CPendingItem> items;
        for (;;) {
            std::optional<CStatement> s = file.Next();
            if (!s) head.Fail("no \"end\" for this menu before the end of " + Quoted(file.Path()));
            const std::string word = s->Keyword();
            if (word == "end") {
                s->ExpectEnd();
                return items;
            }
            CPendingItem item;
            item.file = s->File();
            item.line = s->Line();
            if (word == "separator") {
                item.kind = CMenuItem::Kind::Separator;
            } else if (word == "popup") {
                item.kind = CMenuItem::Kind::Popup;
                item.label = s->Word("popup label");
                s->ExpectEnd();
                if (depth + 1 >= kMaxMenuDepth) s->Fail("menus nested too deeply");
                item.children = ReadMenuLevel(file, *s, depth + 1);
            } else if (word == "item") {
                item.kind = CMenuItem::Kind::Element;
                const CSourceToken& target = s->Token("element name");
                if (!target.quoted && !target.text.empty() && target.text[0] == '@') {
                    CStatement number({{target.text.substr(1), false}}, s->File(), s->Line());
                    item.code = static_cast<int>(number.Integer("identifier", -32768, 32767));
                    if (*item.code == CMenuItem::kPopupCode ||
                        *item.code == CMenuItem::kSeparatorCode)
                        s->Fail("identifier " + std::to_string(*item.code) +
                                " is a popup or separator code");
                } else {
                    item.name = target.text;
                }
                if (!s->AtEnd()) item.label = s->Word("label");
            } else {
                s->Fail("unknown menu entry " + Quoted(word));
            }
            s->ExpectEnd();
            items.push_back(std::move(item));
        }
    }

    std::vector<CMenuItem> ResolveLevel(const std::vector<CPendingItem>& pending) {
        std::vector<CMenuItem> items;
        for (const auto& p : pending) {
            switch (p.kind) {
                case CMenuItem::Kind::Separator:
                    items.push_back(CMenuItem::Separator());
                    break;
                case CMenuItem::Kind::Popup:
                    items.push_back(CMenuItem::Popup(*p.label, ResolveLevel(p.children)));
                    break;
                case CMenuItem::Kind::Element:
                    items.push_back(ResolveElementItem(p));
                    break;
            }
        }
        return items;
    }

    CMenuItem ResolveElementItem(const CPendingItem& p) {
        int code = 0;
        if (p.code) {
            code = *p.code;
        } else {
            code = m_library.FindElementByName(p.name);
            if (code < 0) throw CSourceError(p.file, p.line, "unknown element " + Quoted(p.name));
        }
        std::string label;
        if (p.label)
            label = *p.label;
        else if (const CLibElement* element = code >= 0 ? m_library.GetElement(code) : nullptr)
            label = element->GetName();
        return CMenuItem::Element(static_cast<int16_t>(code), label);
    }

    void ResolveMenu() {
        if (!m_rawMenu.empty() || !m_hasMenu) {
            m_library.GetMenus().SetBytes(m_rawMenu);
            return;
        }
        m_library.GetMenus().SetItems(ResolveLevel(m_menu));
    }

    CLibraryData& m_library;
    CLibraryDocs& m_docs;
    const CSourceFileReader& m_readFile;
    std::vector<std::string> m_includeStack;
    std::map<std::string, std::string> m_names;  // lower-case name -> where defined
    std::string m_builtInSeen[4];
    std::string m_menuSeen;
    std::vector<CPendingItem> m_menu;
    std::vector<uint8_t> m_rawMenu;
    bool m_hasMenu = false;
    bool m_sawLibrary = false;
    bool m_sawStatement = false;
};

}  // namespace

void ReadLibrarySource(const std::string& path, CLibraryData& library, CLibraryDocs* docs,
                       const CSourceFileReader& readFile) {
    library.New(library.GetPath());
    CLibraryDocs ignored;
    CSourceReader reader(library, docs ? *docs : ignored, readFile);
    reader.ReadMain(path);
}

}  // namespace kestro
