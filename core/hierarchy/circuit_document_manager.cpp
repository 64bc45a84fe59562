#include "core/hierarchy/circuit_document_manager.h"

#include <algorithm>

#include "core/document/circuit.h"
#include "core/hierarchy/file_lock.h"
#include "core/platform/file_stream.h"
#include "core/platform/path.h"
#include "core/platform/prompts.h"
#include "core/schematic_file/schematic_file.h"
#include "core/schematic_file/subcircuit_path.h"

namespace kestro {

CCircuitDocumentManager::CCircuitDocumentManager(const CPartEnvironment& parts)
    : m_context{parts, *this} {}

CCircuitDocumentManager::~CCircuitDocumentManager() {
    CloseAll();
}

// --- Entries ------------------------------------------------------------------------------

CCircuitDocumentManager::CEntry* CCircuitDocumentManager::FindEntry(const CCircuit& document) {
    for (CEntry& entry : m_entries)
        if (entry.document.get() == &document) return &entry;
    return nullptr;
}

const CCircuitDocumentManager::CEntry* CCircuitDocumentManager::FindEntry(
    const CCircuit& document) const {
    return const_cast<CCircuitDocumentManager*>(this)->FindEntry(document);
}

CCircuitDocumentManager::CEntry& CCircuitDocumentManager::AddEntry(
    std::shared_ptr<CCircuit> document, bool closeWhenUnused) {
    CEntry entry;
    entry.document = std::move(document);
    entry.closeWhenUnused = closeWhenUnused;
    m_entries.push_back(std::move(entry));
    return m_entries.back();
}

void CCircuitDocumentManager::RemoveEntry(const CCircuit& document) {
    if (CEntry* entry = FindEntry(document)) ReleaseLock(*entry);
    std::erase_if(m_entries,
                  [&document](const CEntry& entry) { return entry.document.get() == &document; });
}

std::vector<std::shared_ptr<CCircuit>> CCircuitDocumentManager::Documents() const {
    std::vector<std::shared_ptr<CCircuit>> documents;
    documents.reserve(m_entries.size());
    for (const CEntry& entry : m_entries)
        documents.push_back(entry.document);
    return documents;
}

void CCircuitDocumentManager::SetHasWindow(const CCircuit& document, bool hasWindow) {
    if (CEntry* entry = FindEntry(document)) entry->hasWindow = hasWindow;
}

bool CCircuitDocumentManager::HasWindow(const CCircuit& document) const {
    const CEntry* entry = FindEntry(document);
    return entry && entry->hasWindow;
}

std::shared_ptr<CCircuit> CCircuitDocumentManager::FindByPath(const std::string& path) {
    if (path.empty()) return nullptr;
    const std::string wanted = CanonicalPath(path);
    for (CEntry& entry : m_entries) {
        const std::string& own = entry.document->GetPathName();
        if (own.empty()) continue;
        if (own != entry.pathSeen) {
            entry.pathSeen = own;
            entry.canonical = CanonicalPath(own);
        }
        if (entry.canonical == wanted) return entry.document;
    }
    return nullptr;
}

// --- Opening ------------------------------------------------------------------------------

std::shared_ptr<CCircuit> CCircuitDocumentManager::NewDocument() {
    auto document = CreateUntitled(m_context);
    SetHasWindow(*document, true);
    FindEntry(*document)->closeWhenUnused = false;
    return document;
}

std::shared_ptr<CCircuit> CCircuitDocumentManager::CreateUntitled(const CCircuitContext& context) {
    auto document = std::make_shared<CCircuit>(context);
    document->SetTitle(kUntitled + std::to_string(++m_untitledCount));
    AddEntry(document, true);
    return document;
}

// The document is listed under its path while it is read, so that a file naming itself
// (directly or through its subcircuits) meets the document being read, which the
// circular-reference rule then refuses, instead of being opened again and again.
std::shared_ptr<CCircuit> CCircuitDocumentManager::ReadNew(const std::string& canonical,
                                                           bool closeWhenUnused) {
    auto document = std::make_shared<CCircuit>(m_context);
    document->SetPathName(canonical);
    AddEntry(document, closeWhenUnused);
    if (!ReadSchematicFile(*document, canonical)) {
        RemoveEntry(*document);
        auto used = UsedSheets(*document);
        document->DeleteContents();
        CloseUnused(std::move(used));
        return nullptr;
    }
    document->SetModified(false);
    if (CEntry* entry = FindEntry(*document)) FollowLock(*entry);
    if (IsNewerFileVersion(document->GetVersionMajor(), document->GetVersionMinor()))
        m_context.parts.prompts.ShowMessage(FormatFileMessage(kNewerVersionWarning, canonical),
                                            MessageIcon::Exclamation);
    return document;
}

std::shared_ptr<CCircuit> CCircuitDocumentManager::OpenDocument(const std::string& path) {
    return ReadNew(CanonicalPath(path), false);
}

std::shared_ptr<CCircuit> CCircuitDocumentManager::FindOrOpenDocument(const std::string& path) {
    m_search.SetLastOpened(path);
    m_declined = false;
    auto document = FindByPath(path);
    if (!document) {
        m_declined = !MayOpen(path);
        if (!m_declined) document = OpenDocument(path);
    }
    if (document) {
        CEntry* entry = FindEntry(*document);
        entry->hasWindow = true;
        entry->closeWhenUnused = false;
    }
    return document;
}

std::shared_ptr<CCircuit> CCircuitDocumentManager::OpenSubcircuit(const std::string& fullPath,
                                                                  const std::string& relativePath,
                                                                  CCircuit& from) {
    const std::string base = from.GetSavedPath().empty() ? from.GetPathName() : from.GetSavedPath();
    const std::string resolved = ResolveSubcircuitPath(base, relativePath);
    // The stored relative path comes first; when it leads nowhere but the full path
    // still names the file, that saves a search.
    for (const std::string& candidate : {resolved, fullPath}) {
        if (candidate.empty()) continue;
        if (auto open = FindByPath(candidate)) return open;
        if (FileExists(candidate)) return OpenSubcircuitFile(candidate);
    }
    const std::string& wanted = resolved.empty() ? fullPath : resolved;
    if (wanted.empty()) return CreateUntitled(from.GetContext());
    return OpenSubcircuitFile(wanted);
}

std::shared_ptr<CCircuit> CCircuitDocumentManager::OpenSubcircuitFile(const std::string& path) {
    if (auto open = FindByPath(path)) return open;
    // The user already gave up on this file for another instance: while it is still
    // missing, its stand-in serves every instance of it, as the file would have, without
    // searching again.
    const auto given = m_givenUp.find(path);
    if (given != m_givenUp.end()) {
        auto standIn = given->second.lock();
        if (standIn && !FileExists(path)) return standIn;
        m_givenUp.erase(given);
    }
    // Another instance of this file was given a file found elsewhere or picked under
    // another name: this one takes the same, without searching or asking again.
    const auto moved = m_relocated.find(path);
    if (moved != m_relocated.end()) {
        const std::string to = moved->second;
        if (!FileExists(path) && FileExists(to)) return OpenSubcircuitFile(to);
        m_relocated.erase(moved);
    }
    const std::string located = LocateSubcircuit(path);
    if (!located.empty() && located != path) m_relocated[path] = located;
    if (located.empty()) {
        if (m_missing) m_missing(path);
        auto standIn = CreateUntitled(m_context);
        m_givenUp[path] = standIn;
        return standIn;
    }
    if (auto open = FindByPath(located)) return open;
    if (auto opened = ReadNew(CanonicalPath(located), true)) return opened;
    // The reason was shown; an empty sheet keeps the instance and its layout.
    return CreateUntitled(m_context);
}

// The file itself, else the quick search, the full search and "Find Subcircuit" in turn;
// empty when the user gave up.
std::string CCircuitDocumentManager::LocateSubcircuit(const std::string& path) {
    if (FileExists(path)) return path;
    const std::string name = FileNameOf(path);
    std::string found = m_search.QuickSearch(name);
    if (found.empty() && m_fullSearch) found = m_search.FullSearch(name, m_context.parts.prompts);
    if (!found.empty()) return found;
    CFileDialogRequest request;
    request.title = kFindSubcircuitTitle;
    request.filter = kFileFilter;
    request.defaultExtension = kFileExtension;
    request.fileName = name;
    request.mustExist = true;
    const auto picked = m_context.parts.prompts.OpenFileName(request);
    return picked && FileExists(*picked) ? *picked : std::string();
}

// --- Locks --------------------------------------------------------------------------------

void CCircuitDocumentManager::FollowLock(CEntry& entry) {
    if (!m_locks) return;
    const std::string& path = entry.document->GetPathName();
    if (path == entry.lockedPath) return;
    ReleaseLock(entry);
    if (!path.empty() && m_locks->Acquire(path)) entry.lockedPath = path;
}

void CCircuitDocumentManager::ReleaseLock(CEntry& entry) {
    if (m_locks && !entry.lockedPath.empty()) m_locks->Release(entry.lockedPath);
    entry.lockedPath.clear();
}

void CCircuitDocumentManager::FollowPath(const CCircuit& document) {
    if (CEntry* entry = FindEntry(document)) FollowLock(*entry);
}

// The user asked for a file another running editor has open: opening it is the user's
// choice, made knowing that the two may overwrite each other.
bool CCircuitDocumentManager::MayOpen(const std::string& path) {
    if (!m_locks) return true;
    const auto holder = m_locks->OtherHolder(CanonicalPath(path));
    if (!holder) return true;
    return m_context.parts.prompts.Ask(OpenElsewhereText(CanonicalPath(path), *holder),
                                       MessageButtons::YesNo,
                                       MessageIcon::Exclamation) == Answer::Yes;
}

std::string CCircuitDocumentManager::OpenElsewhereText(const std::string& path,
                                                       const CLockHolder& holder) {
    const std::pair<char, std::string> fields[] = {
        {'s', path},
        {'u', holder.user.empty() ? std::string("unknown") : holder.user},
        {'p', std::to_string(holder.pid)},
        {'h', holder.host},
        {'t', holder.since.empty() ? std::string("unknown") : holder.since}};
    std::string text;
    const std::string pattern = kOpenElsewhere;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const auto field = std::find_if(std::begin(fields), std::end(fields), [&](const auto& f) {
            return pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == f.first;
        });
        if (field == std::end(fields)) {
            text += pattern[i];
            continue;
        }
        text += field->second;
        ++i;
    }
    return text;
}

std::optional<CRectF> CCircuitDocumentManager::SubcircuitPlacementBox(const std::string& path) {
    if (auto open = FindByPath(path)) return open->GetSymbolBox();
    const auto header = ReadSubcircuitHeader(path, m_context.parts.prompts);
    if (!header) return std::nullopt;
    return header->symbolBox;
}

}  // namespace kestro
