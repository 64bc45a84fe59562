#include "core/objects/label_object.h"

#include <algorithm>

namespace kestro {

void CLabelObject::AddLabel(CSimLabel& label) {
    if (std::find(m_labels.begin(), m_labels.end(), &label) == m_labels.end())
        m_labels.push_back(&label);
}

bool CLabelObject::RemoveLabel(CSimLabel& label) {
    auto it = std::find(m_labels.begin(), m_labels.end(), &label);
    if (it == m_labels.end()) return false;
    m_labels.erase(it);
    return true;
}

}  // namespace kestro
