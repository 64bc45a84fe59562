#include "tools/kestro-sch/dump_tree.h"

#include <cmath>

#include "core/platform/number_text.h"
#include "core/platform/text_encoding.h"

namespace kestro {

namespace {

// Stored texts as UTF-8, quoted, with quotes, backslashes and control characters escaped
// (JSON's rules, which also read well in the text form).
std::string Quoted(const std::string& bytes) {
    static const char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (char c : TextAsUtf8(bytes)) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (u < 0x20) {
            out += "\\u00";
            out += kHex[u >> 4];
            out += kHex[u & 15];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

void Indent(std::string& out, int depth) {
    out.append(static_cast<size_t>(depth) * 2, ' ');
}

}  // namespace

CDumpNode CDumpNode::Number(double value) {
    CDumpNode node(Kind::Scalar);
    // JSON has no words for these; the text form reads them the same.
    node.m_scalar = std::isfinite(value) ? FormatG(value, 7) : "null";
    return node;
}

CDumpNode CDumpNode::Integer(int64_t value) {
    CDumpNode node(Kind::Scalar);
    node.m_scalar = FormatInt(value);
    return node;
}

CDumpNode CDumpNode::Text(std::string value) {
    CDumpNode node(Kind::String);
    node.m_scalar = std::move(value);
    return node;
}

CDumpNode CDumpNode::Flag(bool value) {
    CDumpNode node(Kind::Scalar);
    node.m_scalar = value ? "true" : "false";
    return node;
}

CDumpNode CDumpNode::Numbers(std::initializer_list<double> values) {
    CDumpNode list = List();
    for (double v : values)
        list.Append(Number(v));
    return list;
}

CDumpNode& CDumpNode::Add(const std::string& name, CDumpNode value) {
    m_fields.emplace_back(name, std::move(value));
    return m_fields.back().second;
}

CDumpNode& CDumpNode::Append(CDumpNode value) {
    m_items.push_back(std::move(value));
    return m_items.back();
}

bool CDumpNode::IsScalarList() const {
    for (const CDumpNode& item : m_items)
        if (item.m_kind == Kind::Object || item.m_kind == Kind::List) return false;
    return true;
}

std::string CDumpNode::ScalarText() const {
    return m_kind == Kind::String ? Quoted(m_scalar) : m_scalar;
}

std::string CDumpNode::ToText() const {
    std::string out;
    for (const auto& [name, value] : m_fields)
        value.WriteText(out, name, 0);
    return out;
}

void CDumpNode::WriteText(std::string& out, const std::string& name, int depth) const {
    Indent(out, depth);
    out += name;
    switch (m_kind) {
        case Kind::Scalar:
        case Kind::String:
            out += " " + ScalarText() + "\n";
            return;
        case Kind::Object:
            out += "\n";
            for (const auto& [field, value] : m_fields)
                value.WriteText(out, field, depth + 1);
            return;
        case Kind::List:
            if (IsScalarList()) {
                for (const CDumpNode& item : m_items)
                    out += " " + item.ScalarText();
                out += "\n";
                return;
            }
            out += " " + FormatInt(int64_t(m_items.size())) + "\n";
            for (size_t i = 0; i < m_items.size(); ++i)
                m_items[i].WriteText(out, "[" + FormatInt(int64_t(i)) + "]", depth + 1);
            return;
    }
}

std::string CDumpNode::ToJson() const {
    std::string out;
    WriteJson(out, 0);
    return out + "\n";
}

void CDumpNode::WriteJson(std::string& out, int depth) const {
    switch (m_kind) {
        case Kind::Scalar:
        case Kind::String:
            out += ScalarText();
            return;
        case Kind::Object:
            if (m_fields.empty()) {
                out += "{}";
                return;
            }
            out += "{\n";
            for (size_t i = 0; i < m_fields.size(); ++i) {
                Indent(out, depth + 1);
                out += Quoted(m_fields[i].first) + ": ";
                m_fields[i].second.WriteJson(out, depth + 1);
                out += i + 1 < m_fields.size() ? ",\n" : "\n";
            }
            Indent(out, depth);
            out += "}";
            return;
        case Kind::List:
            if (IsScalarList()) {
                out += "[";
                for (size_t i = 0; i < m_items.size(); ++i)
                    out += (i ? ", " : "") + m_items[i].ScalarText();
                out += "]";
                return;
            }
            out += "[\n";
            for (size_t i = 0; i < m_items.size(); ++i) {
                Indent(out, depth + 1);
                m_items[i].WriteJson(out, depth + 1);
                out += i + 1 < m_items.size() ? ",\n" : "\n";
            }
            Indent(out, depth);
            out += "]";
            return;
    }
}

}  // namespace kestro
