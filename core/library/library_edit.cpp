// Adding, copying and deleting elements, and the element name table of schematics.
#include <algorithm>

#include "core/library/library_data.h"
#include "core/library/library_edit_step.h"
#include "core/platform/record_buffer.h"

namespace kestro {

namespace {
const char kNameEmpty[] = "Netlist Name Can Not be Empty.";
const char kNameExists[] = "This Netlist Name Already Exist.\nPlease Choose Another Name.";
const char kNewGround[] = "You are creating a new GROUND element.\nDo you want to continue?";
const char kLibraryFull[] = "The library holds as many elements as it can (1004).";
}  // namespace

std::optional<std::string> CLibraryData::RefuseNetlistName(std::string_view name) {
    if (name.empty()) return std::string(kNameEmpty);
    if (FindElementByName(name) >= 0) return std::string(kNameExists);
    return std::nullopt;
}

// The "New Library Element" dialog: it stays open until a usable name or Cancel.
std::optional<std::string> CLibraryData::AskNetlistName() {
    for (;;) {
        std::optional<std::string> name =
            m_prompts.EnterText("New Library Element", "Netlist Name", "");
        if (!name) return std::nullopt;
        if (const auto refusal = RefuseNetlistName(*name))
            m_prompts.Error(*refusal);
        else
            return name;
    }
}

int CLibraryData::AddElement() {
    if (GetElementCount() >= kMaxElements) {
        m_prompts.Error(kLibraryFull);
        return -1;
    }
    const std::optional<std::string> name = AskNetlistName();
    return name ? AddElementNamed(*name) : -1;
}

// A full library, or a name that cannot be used, is told and refused.
bool CLibraryData::RefuseNewElement(const std::string& name) {
    if (GetElementCount() >= kMaxElements) {
        m_prompts.Error(kLibraryFull);
        return true;
    }
    if (const auto refusal = RefuseNetlistName(name)) {
        m_prompts.Error(*refusal);
        return true;
    }
    return false;
}

int CLibraryData::AddElementNamed(const std::string& name) {
    if (RefuseNewElement(name)) return -1;
    CLibraryEditStep step(*this, "New Element");
    step.TouchElement(GetElementCount());
    step.TouchMenus();
    const uint16_t id = AppendElement(CLibElement::MakeNew(name));
    m_menus.AppendElement(id, name);
    step.Commit();
    return id;
}

int CLibraryData::CopyElement(CLibElement& source) {
    if (GetElementCount() >= kMaxElements) {
        m_prompts.Error(kLibraryFull);
        return -1;
    }
    if (!ConfirmCopy(source)) return -1;
    const std::optional<std::string> name = AskNetlistName();
    return name ? CopyElementNamed(source, *name) : -1;
}

bool CLibraryData::ConfirmCopy(const CLibElement& source) {
    return !source.IsGround() || m_prompts.Ask(kNewGround, MessageButtons::YesNoCancel,
                                               MessageIcon::Question) == Answer::Yes;
}

int CLibraryData::CopyElementNamed(CLibElement& source, const std::string& name) {
    if (RefuseNewElement(name)) return -1;
    // The copy is the source's record read back.
    CRecordBuffer record;
    record.SetVersion(kVersionMajor, kVersionMinor);
    source.Serialize(record, source.GetIdentifier(), m_context);
    record.StartReading();
    auto copy = std::make_unique<CLibElement>();
    copy->Serialize(record, CLibElement::kNoIdentifier, m_context);
    copy->SetName(name);
    CLibraryEditStep step(*this, "Save Element As");
    step.TouchElement(GetElementCount());
    step.TouchMenus();
    const uint16_t id = AppendElement(std::move(copy));
    m_menus.AppendElement(id, name);
    step.Commit();
    return id;
}

uint16_t CLibraryData::AppendElement(std::unique_ptr<CLibElement> element) {
    if (GetElementCount() >= kMaxElements) return kNoElement;
    const auto id = static_cast<uint16_t>(GetElementCount());
    element->SetIdentifier(id);
    m_elements.push_back(std::move(element));
    m_offsets.insert(m_offsets.end() - 1, 0);  // in memory only: no file offset
    m_modified = true;
    return id;
}

void CLibraryData::DeleteElement(CLibElement& element) {
    const uint16_t id = element.GetIdentifier();
    if (id >= GetElementCount() || m_elements[id].get() != &element) return;
    RemoveElementAt(id);
    m_menus.RemoveElement(id);
}

void CLibraryData::ReplaceElement(uint32_t identifier, std::unique_ptr<CLibElement> element) {
    const bool builtIn = identifier >= kControlId && identifier <= kLabelId;
    if (!builtIn && identifier >= GetElementCount()) return;
    // The element object stays where it is, so references held to it stay valid.
    if (CLibElement* current = GetElement(identifier)) current->TakeContentsOf(*element);
    m_modified = true;
}

void CLibraryData::InsertElementAt(uint32_t identifier, std::unique_ptr<CLibElement> element) {
    if (identifier > GetElementCount() || GetElementCount() >= kMaxElements) return;
    m_elements.insert(m_elements.begin() + identifier, std::move(element));
    m_offsets.insert(m_offsets.begin() + identifier, 0);  // in memory only
    if (identifier < m_oldNumbers.size()) m_oldNumbers.insert(m_oldNumbers.begin() + identifier, 0);
    for (size_t i = identifier; i < m_elements.size(); ++i)
        if (m_elements[i]) m_elements[i]->SetIdentifier(static_cast<uint16_t>(i));
    m_modified = true;
}

void CLibraryData::RemoveElementAt(uint32_t identifier) {
    if (identifier >= GetElementCount()) return;
    m_elements.erase(m_elements.begin() + identifier);
    // The offsets move with the elements, so one not read yet is still found.
    m_offsets.erase(m_offsets.begin() + identifier);
    if (identifier < m_oldNumbers.size()) m_oldNumbers.erase(m_oldNumbers.begin() + identifier);
    for (size_t i = identifier; i < m_elements.size(); ++i)
        if (m_elements[i]) m_elements[i]->SetIdentifier(static_cast<uint16_t>(i));
    m_modified = true;
}

std::optional<std::string> CLibraryData::MenuEntryName(int16_t code) {
    if (code < 0) return std::nullopt;
    const auto identifier = static_cast<uint32_t>(code);
    const bool builtIn = identifier >= kControlId && identifier <= kLabelId;
    if (!builtIn && identifier >= GetElementCount()) return std::nullopt;
    const CLibElement* element = GetElement(identifier);
    return element ? std::optional<std::string>(element->GetName()) : std::nullopt;
}

void CLibraryData::WriteElementTable(CRecordBuffer& out, const std::vector<uint16_t>& used,
                                     uint32_t usedCount) {
    out.Put<uint16_t>(m_versionMajor);
    out.Put<uint16_t>(m_versionMinor);
    out.Put<uint32_t>(GetElementCount());
    out.Put<uint32_t>(usedCount);
    for (uint32_t i = 0; i < GetElementCount(); ++i) {
        if (i >= used.size() || used[i] == 0) continue;
        out.Put<uint16_t>(static_cast<uint16_t>(i));
        out.PutString(GetElement(i)->GetName());
    }
}

void CLibraryData::ReadElementTable(CRecordBuffer& in, std::vector<uint16_t>& map) {
    in.Get<uint16_t>();  // the version of the library the schematic was saved with
    in.Get<uint16_t>();
    const uint32_t storedCount = in.Get<uint32_t>();
    // Stored identifiers are 16-bit, so no map needs more than 65536 entries.
    map.assign(std::max<size_t>(std::min<uint32_t>(storedCount, 65536), GetElementCount()),
               kNoElement);
    const uint32_t entries = in.Get<uint32_t>();
    for (uint32_t k = 0; k < entries && in.Remaining() >= sizeof(uint16_t); ++k) {
        const uint16_t i = in.Get<uint16_t>();
        std::string name;
        in.String(name);
        if (i >= map.size()) map.resize(size_t{i} + 1, kNoElement);
        if (i < GetElementCount() && SameName(GetElement(i)->GetName(), name)) {
            map[i] = i;
        } else {
            const int found = FindElementByName(name);
            map[i] = found < 0 ? kNoElement : static_cast<uint16_t>(found);
        }
    }
}

}  // namespace kestro
