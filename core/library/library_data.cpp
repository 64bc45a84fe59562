#include "core/library/library_data.h"

#include "core/platform/record_buffer.h"

namespace kestro {

namespace {
// Names are bytes: only the ASCII letters have a case, whatever the process locale says.
char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
}  // namespace

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

CLibraryData::CLibraryData(CPrompts& prompts) : m_prompts(prompts) {
    m_context.libraryFonts = &m_fonts;
    Reset();
}

CLibraryData::~CLibraryData() = default;

void CLibraryData::Reset() {
    m_file.reset();
    m_modified = false;
    m_versionMajor = kVersionMajor;
    m_versionMinor = kVersionMinor;
    m_offsets.assign(1, 0);
    m_elements.clear();
    m_oldNumbers.clear();
    m_menus.SetBytes(nullptr, 0);
    m_fonts = StartupLibraryFonts();
    MakeBuiltIns();
}

// The built-in elements of a library that has none stored: an empty control symbol,
// the port, and the label as an old library without one gets it.
void CLibraryData::MakeBuiltIns() {
    m_control = std::make_unique<CLibElement>();
    m_control->SetIdentifier(kControlId);
    m_port = std::make_unique<CLibElement>();
    m_port->SetIdentifier(kPortId);
    m_port->SetName("Port");
    m_label = std::make_unique<CLibElement>();
    m_label->SetIdentifier(kLabelId);
    m_label->SetName("Label");
    m_label->SetRect({-20, -10, 20, 10});
    m_label->GetOutputPoints().push_back({20, 0});
}

void CLibraryData::New(const std::string& path) {
    Reset();
    m_path = path;
}

CLibElement* CLibraryData::GetElement(uint32_t identifier) {
    switch (identifier) {
        case kControlId:
            return m_control.get();
        case kPortId:
            return m_port.get();
        case kLabelId:
            return m_label.get();
        default:
            break;
    }
    if (identifier >= m_elements.size()) return nullptr;
    auto& slot = m_elements[identifier];
    if (!slot) {
        const auto id = static_cast<uint16_t>(identifier);
        try {
            slot = ReadElementAt(m_offsets[identifier], id);
        } catch (const std::exception& e) {
            m_prompts.Error(e.what());
            slot = std::make_unique<CLibElement>();
            slot->SetIdentifier(id);
        }
    }
    return slot.get();
}

bool CLibraryData::IsElementLoaded(uint32_t identifier) const {
    if (identifier >= kControlId && identifier <= kLabelId) return true;
    return identifier < m_elements.size() && m_elements[identifier] != nullptr;
}

std::unique_ptr<CLibElement> CLibraryData::ReadStoredElement(uint32_t identifier) {
    if (!m_file || identifier >= m_elements.size() || m_offsets[identifier] == 0) return nullptr;
    try {
        return ReadElementAt(m_offsets[identifier], static_cast<uint16_t>(identifier));
    } catch (const std::exception&) {
        return nullptr;
    }
}

bool CLibraryData::LoadAllElements() {
    for (size_t i = 0; i < m_elements.size(); ++i) {
        if (m_elements[i]) continue;
        try {
            m_elements[i] = ReadElementAt(m_offsets[i], static_cast<uint16_t>(i));
        } catch (const std::exception& e) {
            m_prompts.Error(e.what());
            return false;
        }
    }
    return true;
}

int CLibraryData::FindElementByName(std::string_view name) {
    if (name.empty()) return -1;
    for (uint32_t i = 0; i < GetElementCount(); ++i)
        if (SameName(GetElement(i)->GetName(), name)) return static_cast<int>(i);
    return -1;
}

uint16_t CLibraryData::FindElementByOldNumber(uint16_t number) const {
    if (m_oldNumbers.size() < 2) return kNoElement;
    size_t low = 1, high = m_oldNumbers.size() - 1;
    while (low <= high) {
        const size_t middle = low + (high - low) / 2;
        if (m_oldNumbers[middle] == number) return static_cast<uint16_t>(middle);
        if (m_oldNumbers[middle] < number)
            low = middle + 1;
        else
            high = middle - 1;  // middle >= 1, so this never wraps below low
    }
    return kNoElement;
}

void CLibraryData::SetFont(int index, const CLibraryFont& font) {
    if (index < 0 || index > 3) return;
    m_fonts[static_cast<size_t>(index)] = font;
    for (auto& element : m_elements)
        if (element) element->ApplyLibraryFonts(m_fonts);
    for (CLibElement* builtIn : {m_control.get(), m_port.get(), m_label.get()})
        builtIn->ApplyLibraryFonts(m_fonts);
    m_modified = true;
}

void CLibraryData::SetFonts(const CLibraryFonts& fonts) {
    for (size_t i = 0; i < fonts.size(); ++i)
        SetFont(static_cast<int>(i), fonts[i]);
}

}  // namespace kestro
