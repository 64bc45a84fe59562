#include "core/library/old_library_transfer.h"

#include <algorithm>
#include <functional>
#include <map>

#include "core/library/library_data.h"
#include "core/library/old_element.h"
#include "core/platform/file_stream.h"
#include "core/platform/folders.h"
#include "core/platform/path.h"
#include "core/platform/prompts.h"

namespace kestro {

namespace {

const char kLibraryFull[] = "The library holds as many elements as it can (1004).";

// Reads one old file with `read`; on failure the reason is shown and noted.
template <typename Result>
std::optional<Result> ReadOldFile(const std::string& path,
                                  const std::function<Result(CByteStream&)>& read,
                                  CPrompts& prompts) {
    try {
        CFileStream file;
        file.Open(path, CFileStream::Mode::Read);
        return read(file);
    } catch (const CFileException& e) {
        prompts.Error(e.what());
    } catch (const COldLibraryError& e) {
        prompts.Error(e.what());
        prompts.ReportDetail(e.Detail(path));
    }
    return std::nullopt;
}

}  // namespace

std::string COldTransferNote::LetterText(uint8_t letter) {
    if (letter > 0x20 && letter < 0x7F) return std::string(1, char(letter));
    static const char digits[] = "0123456789ABCDEF";
    return std::string("0x") + digits[letter >> 4] + digits[letter & 0xF];
}

std::string COldTransferNote::DrawingSummary() const {
    if (stoppedDrawings.empty()) return {};
    std::map<uint8_t, size_t> letters;
    for (const auto& [element, letter] : stoppedDrawings)
        ++letters[letter];
    std::string text = "The drawings of " + std::to_string(stoppedDrawings.size()) +
                       (stoppedDrawings.size() == 1 ? " element stop" : " elements stop") +
                       " at commands that are not converted:";
    const char* separator = " ";
    for (const auto& [letter, count] : letters) {
        text += separator + LetterText(letter) + " (" + std::to_string(count) + ")";
        separator = ", ";
    }
    return text + ".";
}

std::optional<COldLibraryFiles> ReadOldLibraryFiles(const std::string& libraryPath,
                                                    CPrompts& prompts) {
    COldLibraryFiles files;
    auto records = ReadOldFile<std::vector<COldRecord>>(libraryPath, ReadOldLibrary, prompts);
    if (!records) return std::nullopt;
    files.records = std::move(*records);
    const std::string folder = FolderOrCurrent(libraryPath);
    files.ground = ReadOldFile<COldRecord>(FileInFolderIgnoringCase(folder, kOldGroundFileName),
                                           ReadOldRecord, prompts);
    files.groups = ReadOldFile<std::vector<COldMenuGroup>>(
        FileInFolderIgnoringCase(folder, kOldMenuFileName), ReadOldMenuGroups, prompts);
    return files;
}

void ConvertOldLibrary(const COldLibraryFiles& files, CLibraryData& library,
                       COldTransferNote* note) {
    const size_t room = CLibraryData::kMaxElements - 1;
    const size_t count = std::min(files.records.size(), room);
    if (note) note->recordsLeftOut = files.records.size() - count;
    std::optional<uint8_t> stop;
    const auto noteStop = [&](uint16_t element) {
        if (stop && note) note->stoppedDrawings.emplace_back(element, *stop);
        stop.reset();
    };

    if (files.ground) {
        COldRecord ground = *files.ground;
        ground.netlistName = "Ground";
        library.AppendElement(ConvertOldElement(ground, 0, &stop));
        noteStop(0);
    } else {
        library.AppendElement(std::make_unique<CLibElement>());
    }
    std::vector<uint16_t> oldNumbers{kOldGroundNumber};
    for (size_t i = 0; i < count; ++i) {
        const auto id = static_cast<uint16_t>(i + 1);
        library.AppendElement(ConvertOldElement(files.records[i], id, &stop));
        noteStop(id);
        oldNumbers.push_back(static_cast<uint16_t>(files.records[i].oldNumber));
    }
    library.SetOldNumbers(std::move(oldNumbers));

    std::vector<std::string> names;
    for (uint32_t id = 0; id < library.GetElementCount(); ++id)
        names.push_back(library.GetElement(id)->GetName());
    library.GetMenus().SetItems(files.groups ? OldMenuTree(*files.groups, files.records, names)
                                             : FlatMenuTree(names));
    MakeTransferBuiltIns(library);
}

TransferResult TransferOldLibrary(const std::string& oldLibraryPath, const std::string& newPath,
                                  CLibraryData& library, CPrompts& prompts,
                                  COldTransferNote* note) {
    const std::optional<COldLibraryFiles> files = ReadOldLibraryFiles(oldLibraryPath, prompts);
    if (!files) return TransferResult::OldLibraryUnreadable;
    library.New(newPath);
    COldTransferNote local;
    COldTransferNote& n = note ? *note : local;
    ConvertOldLibrary(*files, library, &n);
    if (n.recordsLeftOut > 0) prompts.Error(kLibraryFull);
    return library.Save() ? TransferResult::Saved : TransferResult::SaveFailed;
}

}  // namespace kestro
