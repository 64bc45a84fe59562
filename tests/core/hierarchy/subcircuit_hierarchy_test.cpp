#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/hierarchy/circuit_document_manager.h"
#include "core/objects/sub_cir_part.h"
#include "core/platform/path.h"
#include "tests/core/support/schematic_support.h"
#include "tests/core/support/temp_folder.h"

namespace kestro {
namespace {

namespace fs = std::filesystem;
using test::kResistor;

// Documents of one test, kept in a temporary folder that is the only disk searched.
class Hierarchy : public ::testing::Test {
protected:
    Hierarchy() {
        test::FillSheetLibrary(library);
        documents.GetSearch().SetMountTable({{folder.Root(), "ext4"}});
        documents.GetSearch().SetLastOpened(folder.Path("x"));
    }

    std::string Path(const std::string& name) {
        fs::create_directories(fs::path(folder.Path(name)).parent_path());
        return CanonicalPath(folder.Path(name));
    }

    // A sheet saved at `name` with a resistor and ports 0 and 6.
    std::shared_ptr<CCircuit> SaveSub(const std::string& name) {
        auto sub = documents.NewDocument();
        sub->PlaceElement(kResistor, {0, 0}, 0);
        sub->AddObject(CSimTerm::Create(env, 0, {100, 0}, 0));
        sub->AddObject(CSimTerm::Create(env, 6, {100, 100}, 0));
        EXPECT_TRUE(documents.SaveUnderName(*sub, Path(name)));
        return sub;
    }

    // A sheet with one instance of each given sheet, saved at `name`.
    std::shared_ptr<CCircuit> SaveTop(const std::string& name,
                                      const std::vector<std::shared_ptr<CCircuit>>& subs) {
        auto top = documents.NewDocument();
        float x = 100;
        for (const auto& sub : subs) {
            EXPECT_TRUE(top->AddObject(CSubCirPart::Create(env, sub, {x, 100}, 0)));
            x += 200;
        }
        if (!name.empty()) {
            EXPECT_TRUE(documents.SaveUnderName(*top, Path(name)));
        }
        return top;
    }

    // Closes everything, as after a restart of the editor.
    void Restart() {
        documents.CloseAll();
        prompts.shown.clear();
        prompts.fileRequests.clear();
    }

    static CSubCirPart& Instance(const CCircuit& sheet, size_t i = 0) {
        return *sheet.GetInstances().at(i);
    }

    // The two paths stored in the record of the first instance in a file.
    static std::pair<std::string, std::string> StoredPaths(const std::string& file) {
        const auto records = test::SplitRecords(test::ReadBytes(file));
        for (size_t i = 8; i < records.size(); ++i) {
            const auto& r = records[i];
            if (r.size() < 2 || r[0] != CPart::kTagSubCircuit) continue;
            size_t at = 2 + 48;  // tag and the common record
            std::string paths[2];
            for (std::string& text : paths) {
                const size_t length = r[at] | r[at + 1] << 8;
                text.assign(reinterpret_cast<const char*>(&r[at + 2]), length - 1);
                at += 2 + length;
            }
            return {paths[0], paths[1]};
        }
        return {};
    }

    CTempFolder folder;
    CScriptedPrompts prompts;
    CSettings settings;
    CLibraryData library{prompts};
    CPartEnvironment env{library, settings, prompts};
    CCircuitDocumentManager documents{env};
};

TEST_F(Hierarchy, SubcircuitPathIsStoredFullAndRelative) {
    auto sub = SaveSub("proj/lib/buck.sch");
    auto near = SaveSub("proj/main/near.sch");
    SaveTop("proj/main/top.sch", {sub});
    SaveTop("proj/main/top2.sch", {near});
    EXPECT_EQ(StoredPaths(folder.Path("proj/main/top.sch")),
              std::make_pair(Path("proj/lib/buck.sch"), std::string(":lib\\buck.sch")));
    EXPECT_EQ(StoredPaths(folder.Path("proj/main/top2.sch")).second, "near.sch");
}

TEST_F(Hierarchy, ProjectMovedAsAWholeOpensThroughItsRelativePaths) {
    auto sub = SaveSub("proj/lib/buck.sch");
    auto same = SaveSub("proj/main/local.sch");
    SaveTop("proj/main/top.sch", {sub, same});
    Restart();
    fs::rename(folder.Path("proj"), folder.Path("moved"));
    auto top = documents.FindOrOpenDocument(folder.Path("moved/main/top.sch"));
    ASSERT_TRUE(top);
    EXPECT_EQ(Instance(*top, 0).GetSheet()->GetPathName(), Path("moved/lib/buck.sch"));
    EXPECT_EQ(Instance(*top, 1).GetSheet()->GetPathName(), Path("moved/main/local.sch"));
    EXPECT_TRUE(prompts.shown.empty());  // no search, no dialog
    EXPECT_EQ(Instance(*top).GetTerminalCount(), 20u);
}

TEST_F(Hierarchy, MovedSubcircuitIsFoundByTheFullSearchThenTheNextByTheQuickOne) {
    auto first = SaveSub("proj/first.sch");
    auto second = SaveSub("proj/second.sch");
    SaveTop("top/a.sch", {first});
    SaveTop("top/b.sch", {second});
    Restart();
    fs::create_directories(folder.Path("elsewhere/deep"));
    fs::rename(folder.Path("proj/first.sch"), folder.Path("elsewhere/deep/first.sch"));
    fs::rename(folder.Path("proj/second.sch"), folder.Path("elsewhere/deep/second.sch"));

    auto a = documents.FindOrOpenDocument(folder.Path("top/a.sch"));
    ASSERT_TRUE(a);
    EXPECT_EQ(Instance(*a).GetSheet()->GetPathName(), Path("elsewhere/deep/first.sch"));
    EXPECT_EQ(Instance(*a).GetPath(), Path("elsewhere/deep/first.sch"));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].kind, "task");
    EXPECT_EQ(prompts.shown[0].text, "Searching for subcircuit");
    EXPECT_FALSE(prompts.progressReports.empty());
    EXPECT_EQ(documents.GetSearch().GetFolders(), std::vector<std::string>{Path("elsewhere/deep")});

    prompts.shown.clear();
    auto b = documents.FindOrOpenDocument(folder.Path("top/b.sch"));
    ASSERT_TRUE(b);
    EXPECT_EQ(Instance(*b).GetSheet()->GetPathName(), Path("elsewhere/deep/second.sch"));
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(Hierarchy, CancelledSearchOffersFindSubcircuitThenAnEmptySheetWithTheStoredLayout) {
    auto sub = SaveSub("proj/buck.sch");
    sub->SetSymbolBox({0, 0, 40, 20});
    ASSERT_TRUE(documents.Save(*sub));
    SaveTop("top.sch", {sub});
    Restart();
    fs::remove(folder.Path("proj/buck.sch"));
    prompts.cancelAfterProgress = 1;
    prompts.fileNames.push_back(std::nullopt);

    auto top = documents.FindOrOpenDocument(folder.Path("top.sch"));
    ASSERT_TRUE(top);
    EXPECT_EQ(prompts.progressReports.size(), 1u);  // ended after the first folder
    ASSERT_EQ(prompts.fileRequests.size(), 1u);
    EXPECT_EQ(prompts.fileRequests[0].title, "Find Subcircuit");
    EXPECT_EQ(prompts.fileRequests[0].fileName, "buck.sch");
    EXPECT_TRUE(prompts.fileRequests[0].mustExist);
    CCircuit& stand = *Instance(*top).GetSheet();
    EXPECT_TRUE(stand.GetPathName().empty());
    EXPECT_EQ(stand.GetPortCount(), 8u);
    EXPECT_EQ(stand.GetSymbolBox(), (CRectF{-20, -10, 20, 10}));
    EXPECT_EQ(Instance(*top).GetTerminalCount(), 8u);
}

// Three instances of one missing file: one search, one "Find Subcircuit", one shared sheet.
TEST_F(Hierarchy, InstancesOfAMissingFileShareOneStandInAfterOneSearch) {
    auto sub = SaveSub("proj/leg.sch");
    SaveTop("top.sch", {sub, sub, sub});
    Restart();
    fs::remove(folder.Path("proj/leg.sch"));
    prompts.fileNames.push_back(std::nullopt);
    auto top = documents.FindOrOpenDocument(folder.Path("top.sch"));
    ASSERT_TRUE(top);
    ASSERT_EQ(top->GetInstances().size(), 3u);
    EXPECT_EQ(prompts.fileRequests.size(), 1u);
    size_t searches = 0;
    for (const auto& shown : prompts.shown)
        searches += shown.kind == "task";
    EXPECT_EQ(searches, 1u);
    CCircuit* stand = Instance(*top, 0).GetSheet();
    EXPECT_TRUE(stand->GetPathName().empty());
    EXPECT_EQ(Instance(*top, 1).GetSheet(), stand);
    EXPECT_EQ(Instance(*top, 2).GetSheet(), stand);
    EXPECT_EQ(stand->GetParents(), std::vector<CCircuit*>{top.get()});
    EXPECT_EQ(Instance(*top, 2).GetTerminalCount(), 20u);
}

TEST_F(Hierarchy, FileChosenInFindSubcircuitIsUsed) {
    auto sub = SaveSub("proj/buck.sch");
    SaveTop("top.sch", {sub});
    Restart();
    fs::rename(folder.Path("proj/buck.sch"), folder.Path("proj/renamed.sch"));
    documents.SetFullSearchEnabled(false);
    prompts.fileNames.push_back(folder.Path("proj/renamed.sch"));
    auto top = documents.FindOrOpenDocument(folder.Path("top.sch"));
    ASSERT_TRUE(top);
    EXPECT_EQ(Instance(*top).GetSheet()->GetPathName(), Path("proj/renamed.sch"));
    EXPECT_EQ(Instance(*top).GetSheet()->GetObjectCount(), 4u);
    // The instance is named after the file it uses now, and stores that file.
    EXPECT_EQ(Instance(*top).GetName(), "renamed");
    EXPECT_EQ(Instance(*top).GetPath(), Path("proj/renamed.sch"));
    ASSERT_TRUE(documents.Save(*top));
    EXPECT_EQ(StoredPaths(folder.Path("top.sch")).first, Path("proj/renamed.sch"));
}

// The user picks a file under another name for the first of three instances of a missing
// file: the other two take it too, without another search or question.
TEST_F(Hierarchy, FilePickedForOneInstanceServesTheOthersOfTheSameFile) {
    auto sub = SaveSub("proj/leg.sch");
    SaveTop("top.sch", {sub, sub, sub});
    Restart();
    fs::rename(folder.Path("proj/leg.sch"), folder.Path("proj/leg_v2.sch"));
    prompts.fileNames.push_back(folder.Path("proj/leg_v2.sch"));
    auto top = documents.FindOrOpenDocument(folder.Path("top.sch"));
    ASSERT_TRUE(top);
    EXPECT_EQ(prompts.fileRequests.size(), 1u);
    size_t searches = 0;
    for (const auto& shown : prompts.shown)
        searches += shown.kind == "task";
    EXPECT_EQ(searches, 1u);
    ASSERT_EQ(top->GetInstances().size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(Instance(*top, i).GetSheet(), Instance(*top, 0).GetSheet());
        EXPECT_EQ(Instance(*top, i).GetName(), "leg_v2");
    }
    // Once the file is back where it was, it is used again.
    Restart();
    fs::copy_file(folder.Path("proj/leg_v2.sch"), folder.Path("proj/leg.sch"));
    top = documents.FindOrOpenDocument(folder.Path("top.sch"));
    EXPECT_EQ(Instance(*top).GetSheet()->GetPathName(), Path("proj/leg.sch"));
    EXPECT_TRUE(prompts.fileRequests.empty());
}

TEST_F(Hierarchy, SameFileTwiceGivesTwoInstancesOfOneSheet) {
    auto sub = SaveSub("buck.sch");
    Restart();
    auto top = documents.NewDocument();
    auto first = documents.OpenSubcircuitFile(folder.Path("buck.sch"));
    auto again = documents.OpenSubcircuitFile(folder.Path("./buck.sch"));
    EXPECT_EQ(first, again);
    top->AddObject(CSubCirPart::Create(env, first, {100, 100}, 0));
    top->AddObject(CSubCirPart::Create(env, again, {300, 100}, 0));
    EXPECT_EQ(top->GetInstanceName(Instance(*top, 0)), "S1");
    EXPECT_EQ(top->GetInstanceName(Instance(*top, 1)), "S2");
    EXPECT_EQ(first->GetParents(), std::vector<CCircuit*>{top.get()});
}

TEST_F(Hierarchy, InstanceFollowsTheSheetsCurrentInterface) {
    auto sub = SaveSub("buck.sch");
    SaveTop("top.sch", {sub});
    Restart();
    // top.sch stores the 20 ports of the default box; the sheet's file gets 8.
    auto edited = documents.FindOrOpenDocument(folder.Path("buck.sch"));
    ASSERT_TRUE(documents.ResizeSymbolBox(*edited, 40, 20));
    ASSERT_TRUE(documents.Save(*edited));
    Restart();
    auto top = documents.FindOrOpenDocument(folder.Path("top.sch"));
    EXPECT_EQ(Instance(*top).GetSheet()->GetPortCount(), 8u);
    EXPECT_EQ(Instance(*top).GetTerminalCount(), 8u);
    EXPECT_EQ(Instance(*top).GetBounds().Width(), 40.0f);
}

TEST_F(Hierarchy, ShrinkingTheBoxAsksBeforeDeletingPorts) {
    auto sub = SaveSub("buck.sch");
    auto top = SaveTop("", {sub});
    prompts.answers.push_back(Answer::Cancel);
    EXPECT_FALSE(documents.ResizeSymbolBox(*sub, 30, 20));  // 6 ports: number 6 goes
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(prompts.LastMessage(), "Some Ports Will be Deleted. Do you Want to Continue?");
    EXPECT_EQ(prompts.shown.back().buttons, MessageButtons::OkCancel);
    EXPECT_EQ(sub->GetPortCount(), 20u);
    EXPECT_EQ(sub->GetObjectCount(), 4u);

    prompts.answers.push_back(Answer::Ok);
    EXPECT_TRUE(documents.ResizeSymbolBox(*sub, 30, 20));
    EXPECT_EQ(sub->GetPortCount(), 6u);
    EXPECT_EQ(sub->GetObjectCount(), 3u);  // port 6 deleted, port 0 kept
    EXPECT_NE(sub->GetPortObject(0), nullptr);
    EXPECT_EQ(sub->GetSymbolBox(), (CRectF{-15, -10, 15, 10}));
    EXPECT_EQ(Instance(*top).GetTerminalCount(), 6u);
    EXPECT_TRUE(sub->IsModified());

    const size_t asked = prompts.shown.size();
    EXPECT_FALSE(documents.ResizeSymbolBox(*sub, 30, 20));  // unchanged: nothing happens
    EXPECT_TRUE(documents.ResizeSymbolBox(*sub, 60, 20));   // grows: nothing to ask
    EXPECT_EQ(prompts.shown.size(), asked);
}

TEST_F(Hierarchy, NeverSavedSubcircuitIsSavedFirstAndCancelAbandonsTheSave) {
    auto fresh = documents.NewDocument();
    fresh->PlaceElement(kResistor, {0, 0}, 0);
    auto top = SaveTop("", {fresh});
    std::vector<CCircuit*> shown;
    documents.SetShowDocument([&](CCircuit& document) { shown.push_back(&document); });

    prompts.fileNames.push_back(std::nullopt);
    EXPECT_FALSE(documents.SaveDocument(*top, Path("top.sch")));
    EXPECT_FALSE(fs::exists(folder.Path("top.sch")));
    EXPECT_EQ(shown, std::vector<CCircuit*>{fresh.get()});

    prompts.fileNames.push_back(Path("lib/fresh"));  // the extension is added
    EXPECT_TRUE(documents.SaveDocument(*top, Path("top.sch")));
    EXPECT_EQ(fresh->GetPathName(), Path("lib/fresh.sch"));
    EXPECT_FALSE(fresh->IsModified());
    EXPECT_EQ(Instance(*top).GetName(), "fresh");
    EXPECT_TRUE(fs::exists(folder.Path("lib/fresh.sch")));
    EXPECT_EQ(prompts.fileRequests.back().title, "Save As");
}

TEST_F(Hierarchy, NewSubcircuitSavedOverItsUsersFileLeavesNothingDangling) {
    auto top = documents.NewDocument();
    ASSERT_TRUE(documents.SaveUnderName(*top, Path("top.sch")));
    auto fresh = documents.CreateUntitled(documents.GetContext());  // "New Subcircuit"
    fresh->PlaceElement(kResistor, {0, 0}, 0);
    top->AddObject(CSubCirPart::Create(env, fresh, {100, 100}, 0));
    fresh.reset();
    prompts.fileNames.push_back(folder.Path("top.sch"));
    // The subcircuit's save reloads top, whose instance (its only user) goes with it.
    EXPECT_TRUE(documents.Save(*top));
    EXPECT_EQ(top->GetInstances().size(), 0u);
    EXPECT_EQ(documents.Documents().size(), 1u);
}

TEST_F(Hierarchy, SaveAsOfAUsedSubcircuitWritesACopyAndKeepsTheName) {
    auto sub = SaveSub("buck.sch");
    auto top = SaveTop("top.sch", {sub});
    sub->PlaceElement(kResistor, {200, 0}, 0);
    sub->SetModified();
    prompts.fileNames.push_back(folder.Path("copy.sch"));
    ASSERT_TRUE(documents.SaveAs(*sub));
    EXPECT_EQ(sub->GetPathName(), Path("buck.sch"));
    EXPECT_TRUE(sub->IsModified());
    EXPECT_TRUE(fs::exists(folder.Path("copy.sch")));

    // Not used by any sheet, the document takes the new name.
    auto alone = SaveSub("alone.sch");
    prompts.fileNames.push_back(folder.Path("renamed.sch"));
    ASSERT_TRUE(documents.SaveAs(*alone));
    EXPECT_EQ(alone->GetPathName(), Path("renamed.sch"));
    EXPECT_EQ(alone->GetTitle(), Path("renamed.sch"));
}

TEST_F(Hierarchy, SavingOverAnotherOpenSheetsFileReloadsIt) {
    auto other = SaveSub("other.sch");
    auto top = SaveTop("top.sch", {other});
    auto writer = documents.NewDocument();
    writer->PlaceElement(kResistor, {0, 0}, 0);
    writer->PlaceElement(kResistor, {100, 0}, 0);
    ASSERT_TRUE(documents.SaveDocument(*writer, Path("other.sch")));
    EXPECT_EQ(other->GetObjectCount(), 4u);  // two resistors and their links
    EXPECT_EQ(other->GetPortObject(0), nullptr);
    // The sheet using it follows the reloaded interface; the link stays.
    EXPECT_EQ(other->GetParents(), std::vector<CCircuit*>{top.get()});
    EXPECT_EQ(Instance(*top).GetSheet(), other.get());
    EXPECT_TRUE(writer->GetPathName().empty());
}

TEST_F(Hierarchy, ChangingTheFileOfAllInstancesWritesTheSheetThere) {
    auto sub = SaveSub("buck.sch");
    auto top = SaveTop("top.sch", {sub, sub});
    ASSERT_TRUE(documents.RenameSheet(*sub, folder.Path("boost.sch")));
    EXPECT_EQ(sub->GetPathName(), Path("boost.sch"));
    EXPECT_TRUE(fs::exists(folder.Path("boost.sch")));
    EXPECT_EQ(Instance(*top, 0).GetName(), "boost");
    EXPECT_EQ(Instance(*top, 1).GetName(), "boost");
    EXPECT_TRUE(top->IsModified());
    // Another open document's file is refused, and nothing changes.
    auto other = SaveSub("other.sch");
    EXPECT_FALSE(documents.RenameSheet(*sub, folder.Path("other.sch")));
    EXPECT_NE(prompts.LastMessage().find("Another open schematic"), std::string::npos);
    EXPECT_EQ(sub->GetPathName(), Path("boost.sch"));
}

TEST_F(Hierarchy, ChangingTheFileOfOneInstanceLeavesTheOthers) {
    auto sub = SaveSub("buck.sch");
    auto top = SaveTop("top.sch", {sub, sub});
    // A new file name: the instance gets a copy of its sheet under that name.
    ASSERT_TRUE(documents.MoveInstanceToFile(*top, Instance(*top, 1), folder.Path("copy.sch")));
    EXPECT_TRUE(fs::exists(folder.Path("copy.sch")));
    CCircuit* copy = Instance(*top, 1).GetSheet();
    EXPECT_NE(copy, sub.get());
    EXPECT_EQ(copy->GetPathName(), Path("copy.sch"));
    EXPECT_EQ(copy->GetPortCount(), sub->GetPortCount());
    EXPECT_EQ(Instance(*top, 0).GetSheet(), sub.get());
    EXPECT_EQ(Instance(*top, 1).GetName(), "copy");
    EXPECT_EQ(copy->GetParents(), std::vector<CCircuit*>{top.get()});
    EXPECT_TRUE(top->IsModified());
    // Moving the last user away releases the parent link; an existing file is opened.
    ASSERT_TRUE(documents.MoveInstanceToFile(*top, Instance(*top, 0), folder.Path("copy.sch")));
    EXPECT_EQ(Instance(*top, 0).GetSheet(), copy);
    EXPECT_TRUE(sub->GetParents().empty());
    // A sheet that contains the parent is refused.
    auto outer = SaveTop("outer.sch", {top});
    EXPECT_FALSE(documents.MoveInstanceToFile(*top, Instance(*top, 0), folder.Path("outer.sch")));
    EXPECT_EQ(prompts.LastMessage(), "Circular refference is not allowed.");
    EXPECT_EQ(Instance(*top, 0).GetSheet(), copy);
}

TEST_F(Hierarchy, LinksSurviveReloadAndClose) {
    auto sub = SaveSub("buck.sch");
    auto top = SaveTop("top.sch", {sub});
    ASSERT_TRUE(documents.Reload(*top));
    EXPECT_EQ(Instance(*top).GetSheet(), sub.get());
    EXPECT_EQ(sub->GetParents(), std::vector<CCircuit*>{top.get()});
    ASSERT_TRUE(documents.Reload(*sub));
    EXPECT_EQ(sub->GetParents(), std::vector<CCircuit*>{top.get()});
    EXPECT_EQ(Instance(*top).GetTerminalCount(), 20u);

    // Its window closed, the used sheet stays open; closing the user closes it too.
    EXPECT_FALSE(documents.Close(*sub));
    EXPECT_EQ(documents.Documents().size(), 2u);
    EXPECT_FALSE(documents.HasWindow(*sub));
    EXPECT_TRUE(documents.Close(*top));
    EXPECT_TRUE(sub->GetParents().empty());
    EXPECT_TRUE(documents.Documents().empty());  // nothing shows or uses sub any more

    Restart();
    documents.FindOrOpenDocument(folder.Path("top.sch"));
    ASSERT_EQ(documents.Documents().size(), 2u);  // top and its windowless subcircuit
    EXPECT_TRUE(documents.Close(*documents.Documents()[0]));
    EXPECT_TRUE(documents.Documents().empty());
}

TEST_F(Hierarchy, UnsavedEditsKeepAnUnusedSheetOpen) {
    auto sub = SaveSub("buck.sch");
    auto top = SaveTop("top.sch", {sub});
    sub->SetModified();
    EXPECT_FALSE(documents.Close(*sub));
    EXPECT_TRUE(documents.Close(*top));
    EXPECT_EQ(documents.Documents(), std::vector<std::shared_ptr<CCircuit>>{sub});
}

TEST_F(Hierarchy, NewerFileOpensWithTheWarning) {
    auto sub = SaveSub("new.sch");
    Restart();
    auto bytes = test::ReadBytes(folder.Path("new.sch"));
    bytes[8 + 4] = 31;  // header minor: 3.31
    CMirrorFile file(folder.Path("new.sch"));
    file.Write(bytes.data(), bytes.size());
    file.Commit();
    ASSERT_TRUE(documents.FindOrOpenDocument(folder.Path("new.sch")));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(prompts.shown[0].text,
              "This file was created by a newer version of Kestro. There may be some "
              "incompatibility problems. You must visually inspect all data to ensure that "
              "Circuit is correct.\n\nFile name: " +
                  Path("new.sch"));
}

TEST_F(Hierarchy, OpenDocumentsAreFoundByPathAsTheFileSystemComparesThem) {
    SaveSub("a.sch");
    SaveSub("A.sch");
    Restart();
    fs::create_directory_symlink(folder.Root(), folder.Path("alias"));
    auto a = documents.FindOrOpenDocument(folder.Path("a.sch"));
    EXPECT_EQ(documents.FindOrOpenDocument(folder.Path("alias/./a.sch")), a);
    auto upper = documents.FindOrOpenDocument(folder.Path("A.sch"));
    EXPECT_NE(upper, a);
    EXPECT_EQ(documents.Documents().size(), 2u);
}

TEST_F(Hierarchy, FileUsingItselfOpensWithoutTheCircle) {
    // b.sch uses a.sch; then a.sch is saved with an instance of b.sch.
    auto a = SaveSub("a.sch");
    auto b = SaveTop("b.sch", {a});
    auto writer = SaveTop("", {b});
    ASSERT_TRUE(documents.SaveDocument(*writer, Path("a.sch")));  // reloads a: a uses b uses a
    Restart();
    auto opened = documents.FindOrOpenDocument(folder.Path("a.sch"));
    ASSERT_TRUE(opened);
    std::vector<CCircuit*> tops;
    opened->GetTopLevelDocuments(tops);
    EXPECT_EQ(tops.size(), 1u);
}

TEST_F(Hierarchy, PlacementBoxComesFromTheOpenSheetOrTheFileHeader) {
    auto sub = SaveSub("buck.sch");
    sub->SetSymbolBox({0, 0, 40, 20});
    EXPECT_EQ(documents.SubcircuitPlacementBox(folder.Path("buck.sch")),
              (CRectF{-20, -10, 20, 10}));
    Restart();
    EXPECT_EQ(documents.SubcircuitPlacementBox(folder.Path("buck.sch")),
              (CRectF{-25, -35, 25, 35}));
    std::ofstream(folder.Path("text.sch")) << "not a schematic";
    EXPECT_FALSE(documents.SubcircuitPlacementBox(folder.Path("text.sch")));
    EXPECT_EQ(prompts.LastMessage(), "Invalid file. File name : " + folder.Path("text.sch"));
}

}  // namespace
}  // namespace kestro
