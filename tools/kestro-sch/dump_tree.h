#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace kestro {

// What a dump says, as a tree of named fields, written either as indented text lines
// or as JSON. Fields keep the order they were added in.
class CDumpNode {
public:
    static CDumpNode Number(double value);
    static CDumpNode Integer(int64_t value);
    static CDumpNode Text(std::string value);
    static CDumpNode Flag(bool value);
    static CDumpNode Object() { return CDumpNode(Kind::Object); }
    static CDumpNode List() { return CDumpNode(Kind::List); }
    // A list of numbers (a point, a rectangle).
    static CDumpNode Numbers(std::initializer_list<double> values);

    // Objects: adds a field and returns it.
    CDumpNode& Add(const std::string& name, CDumpNode value);
    // Lists: appends an item and returns it.
    CDumpNode& Append(CDumpNode value);

    // "name value" lines, nested objects indented by two blanks; a list of objects
    // gives one "name index" block per item, a list of scalars one line.
    std::string ToText() const;
    std::string ToJson() const;

private:
    enum class Kind { Scalar, String, Object, List };
    explicit CDumpNode(Kind kind) : m_kind(kind) {}

    bool IsScalarList() const;
    void WriteText(std::string& out, const std::string& name, int depth) const;
    void WriteJson(std::string& out, int depth) const;
    std::string ScalarText() const;

    Kind m_kind;
    std::string m_scalar;  // number text, or the string's bytes
    std::vector<std::pair<std::string, CDumpNode>> m_fields;
    std::vector<CDumpNode> m_items;
};

}  // namespace kestro
