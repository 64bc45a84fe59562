#pragma once

#include <string>
#include <vector>

namespace kestro {

class CSimLabel;

// One label name of a document and every label on the sheet that carries it: labels
// of one name (compared without regard to case) are one net.
class CLabelObject {
public:
    explicit CLabelObject(std::string name) : m_name(std::move(name)) {}
    CLabelObject(const CLabelObject&) = delete;
    CLabelObject& operator=(const CLabelObject&) = delete;

    const std::string& GetName() const { return m_name; }
    const std::vector<CSimLabel*>& GetLabels() const { return m_labels; }
    // Appends the label unless the list holds it already.
    void AddLabel(CSimLabel& label);
    // Takes the label out; false when it was not there.
    bool RemoveLabel(CSimLabel& label);

private:
    std::string m_name;
    std::vector<CSimLabel*> m_labels;
};

}  // namespace kestro
