#include "core/library/menu_manager.h"

namespace kestro {

namespace {

constexpr int16_t kFirstBuiltIn = 1004;

void RemoveFromLevel(std::vector<CMenuItem>& items, int16_t identifier) {
    std::vector<CMenuItem> kept;
    for (auto& item : items) {
        if (item.kind == CMenuItem::Kind::Popup) RemoveFromLevel(item.children, identifier);
        if (item.kind == CMenuItem::Kind::Element) {
            if (item.code == identifier) continue;
            if (item.code > identifier && item.code < kFirstBuiltIn) --item.code;
        }
        kept.push_back(std::move(item));
    }
    items = std::move(kept);
}

}  // namespace

CMenuManager::CMenuManager() : m_stream(BufferMode::Store) {
    m_stream.SetFlags(CRecordBuffer::kKeepData);
}

std::vector<uint8_t> CMenuManager::GetBytes() const {
    return std::vector<uint8_t>(m_stream.Data(), m_stream.Data() + m_stream.Length());
}

void CMenuManager::SetBytes(const uint8_t* data, size_t size) {
    m_stream.Assign(data, size);
}

std::vector<CMenuItem> CMenuManager::GetItems() const {
    return ReadMenuStream(m_stream.Data(), m_stream.Length());
}

void CMenuManager::ReadBlock(CByteStream& file, uint64_t offset) {
    CRecordBuffer reader(BufferMode::Load, &file);
    reader.ReadRecordAt(offset);
    SetBytes(reader.Data(), reader.Length());
}

void CMenuManager::WriteBlock(CByteStream& file) {
    m_stream.SetFile(&file);
    try {
        m_stream.WritePadded(256);
    } catch (...) {
        m_stream.SetFile(nullptr);
        throw;
    }
    m_stream.SetFile(nullptr);
}

void CMenuManager::AppendElement(uint16_t identifier, const std::string& name) {
    std::vector<uint8_t> bytes = GetBytes();
    const std::vector<uint8_t> entry =
        WriteMenuStream({CMenuItem::Element(static_cast<int16_t>(identifier), name)});
    bytes.insert(bytes.end(), entry.begin(), entry.end());
    SetBytes(bytes);
}

void CMenuManager::RemoveElement(uint16_t identifier) {
    std::vector<CMenuItem> items = GetItems();
    RemoveFromLevel(items, static_cast<int16_t>(identifier));
    SetItems(items);
}

}  // namespace kestro
