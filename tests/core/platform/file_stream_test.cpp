#include "core/platform/file_stream.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/core/support/temp_folder.h"

namespace kestro {
namespace {

int EntriesIn(const std::string& folder) {
    int n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder))
        ++n;
    return n;
}

TEST(FileStream, BufferedReadsAndWritesAgreeWithSeeks) {
    CTempFolder temp;
    const std::string path = temp.Path("data.bin");
    {
        CFileStream out;
        out.Open(path, CFileStream::Mode::Write);
        std::vector<uint8_t> big(200000);
        for (size_t i = 0; i < big.size(); ++i)
            big[i] = static_cast<uint8_t>(i * 7);
        out.Write(big.data(), big.size());
        out.Seek(10);
        const uint8_t mark = 0xEE;
        out.Write(&mark, 1);
        EXPECT_EQ(out.Tell(), 11u);
        out.Close();
    }
    CFileStream in;
    in.Open(path, CFileStream::Mode::Read);
    EXPECT_EQ(in.Size(), 200000u);
    uint8_t b = 0;
    in.Seek(10);
    in.Read(&b, 1);
    EXPECT_EQ(b, 0xEE);
    in.Seek(150001);
    in.Read(&b, 1);
    EXPECT_EQ(b, static_cast<uint8_t>(150001 * 7));
    in.Seek(3);
    in.Read(&b, 1);
    EXPECT_EQ(b, 21);
    in.Seek(199999);
    uint8_t two[2] = {1, 1};
    EXPECT_EQ(in.Read(two, 2), 1u);
}

TEST(FileStream, OpeningAMissingFileGivesTheSystemReason) {
    CFileStream in;
    try {
        in.Open("/nonexistent/kestro/file.sch", CFileStream::Mode::Read);
        FAIL();
    } catch (const CFileException& e) {
        EXPECT_EQ(std::string(e.what()), "/nonexistent/kestro/file.sch: No such file or directory");
    }
}

TEST(MirrorFile, ReplacesTheTargetOnlyOnCommit) {
    CTempFolder temp;
    const std::string path = temp.Path("sheet.sch");
    {
        CMirrorFile first(path);
        first.Write("old", 3);
        first.Commit();
    }
    EXPECT_EQ(ReadWholeFile(path), "old");
    {
        CMirrorFile second(path);
        second.Write("new and longer", 14);
        // no commit: a failed save
    }
    EXPECT_EQ(ReadWholeFile(path), "old");
    EXPECT_EQ(EntriesIn(temp.Root()), 1);  // the temporary file is gone
    {
        CMirrorFile third(path);
        third.Write("new", 3);
        third.Commit();
    }
    EXPECT_EQ(ReadWholeFile(path), "new");
}

TEST(MirrorFile, KeepsTheTargetsPermissions) {
    CTempFolder temp;
    const std::string path = temp.Path("p.sch");
    {
        CMirrorFile f(path);
        f.Write("x", 1);
        f.Commit();
    }
    ::chmod(path.c_str(), 0600);
    {
        CMirrorFile f(path);
        f.Write("y", 1);
        f.Commit();
    }
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(MirrorFile, UnwritableFolderThrows) {
    EXPECT_THROW(CMirrorFile("/nonexistent/folder/x.sch"), CFileException);
}

}  // namespace
}  // namespace kestro
