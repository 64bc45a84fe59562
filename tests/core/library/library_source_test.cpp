#include <gtest/gtest.h>

#include <cerrno>
#include <map>

#include "core/library/library_data.h"
#include "core/library/library_source.h"
#include "core/platform/scripted_prompts.h"
#include "tests/core/support/library_support.h"
#include "tests/core/support/temp_folder.h"

namespace kestro {
namespace {

using Files = std::map<std::string, std::string>;

// A full source using every statement form.
const char kFullSource[] = R"(library   # comment
font 1 "Courier New" height -12 weight 400 italic 0 size 10
font 3 "Courier" weight 700 italic 1
oldmap 0 5001 5002
oldmap 5003
control
  name SIM
  rect -30 -20 30 20
  rrect -30 -20 30 20
  text "SIM" font 3 at 0 0 rot 1 extent -15 -6 15 6
  attr tmax unit s float 10m doc "end time"
end
port
  name Port
  rect -10 -10 10 10
  pin 0 0 "the node"
end
element GND
  description "Ground"
  flags 0x10000010
  line 0 0 0 10 width 2 style 2
  pin 0 0 "ground point"
  attr Name string "GND"
end
element "R 2"
  description "Two words \"quoted\" \\ and \x80 byte"
  flags 16
  rect -20 -10 20 10
  arc -20 -5 -10 5 orient 3
  ellipse -5 -5 5 5
  poly -12 -4 12 -4 12 4 -12 4
  textadv "L" face "Arial" height -10 style 0x10190 color 3 extent -5 -5 5 5 width 4 at 0 8 rot 1 pcolor 1
  pin -20 0 "first"
  pin 20 0
  attr Name string "R" flags 0x300
  attr R unit Ohm float 4.7k flags 0x700 doc "resistance"
  attr odd float 0.0310031 exp -3
  attr word float 2 expword 0x100
  attr end integer -3 id 0x1234
  attr on boolean 1
  attr nothing invalid
  attr strange type 9
end
menu
  popup "Passive"
    item "r 2"
    item GND "Earth"
    separator
    popup "Deeper"
      item @1005
      item @900 "far"
    end
  end
end
)";

std::string Build(const Files& files, CLibraryData& library, CLibraryDocs* docs = nullptr,
                  const std::string& main = "main.txt") {
    ReadLibrarySource(main, library, docs, [&](const std::string& path) {
        auto found = files.find(path);
        if (found == files.end()) throw CFileException(path, ENOENT);
        return found->second;
    });
    return WriteLibrarySource(library);
}

std::string ErrorOf(const Files& files) {
    CScriptedPrompts prompts;
    CLibraryData library(prompts);
    try {
        Build(files, library);
    } catch (const CSourceError& e) {
        return e.what();
    }
    return "no error";
}

TEST(LibrarySource, DumpOfABuiltLibraryBuildsTheSameBytes) {
    CTempFolder folder;
    CScriptedPrompts prompts;
    CLibraryData first(prompts);
    first.New(folder.Path("first.lib"));
    const std::string dump = Build({{"main.txt", kFullSource}}, first);
    ASSERT_TRUE(first.Save());
    CLibraryData second(prompts);
    second.New(folder.Path("second.lib"));
    EXPECT_EQ(Build({{"dump.txt", dump}}, second, nullptr, "dump.txt"), dump);
    ASSERT_TRUE(second.Save());
    EXPECT_EQ(test::FileBytes(folder.Path("first.lib")),
              test::FileBytes(folder.Path("second.lib")));
    EXPECT_TRUE(prompts.shown.empty());
}

TEST(LibrarySource, StatementsReachTheLibrary) {
    CScriptedPrompts prompts;
    CLibraryData library(prompts);
    CLibraryDocs docs;
    Build({{"main.txt", kFullSource}}, library, &docs);
    ASSERT_EQ(library.GetElementCount(), 2u);
    CLibElement& r = *library.GetElement(1);
    EXPECT_EQ(r.GetName(), "R 2");
    EXPECT_EQ(r.GetDescription(), "Two words \"quoted\" \\ and \x80 byte");
    EXPECT_EQ(r.GetDefinition(1).GetValue(), CGenType::MakeFloat(4700, 3));
    EXPECT_EQ(r.GetDefinition(1).GetId(), CNetLine::ComputeId("R", CGenType::Float));
    EXPECT_EQ(r.GetDefinition(2).GetValue().GetFloat(), 0.0310031);
    EXPECT_EQ(r.GetDefinition(2).GetValue().GetExponent(), -3);
    EXPECT_EQ(r.GetDefinition(3).GetValue().GetExponentWord(), 0x100u);
    EXPECT_EQ(r.GetDefinition(4).GetId(), 0x1234u);
    EXPECT_EQ(r.GetDefinition(6).GetValue().GetType(), CGenType::Invalid);
    EXPECT_EQ(r.GetDefinition(7).GetValue().GetType(), 9);
    EXPECT_EQ(library.GetFonts()[2].weight, 700);
    EXPECT_EQ(library.GetFonts()[2].height, -12);  // not given: kept
    EXPECT_EQ(library.GetOldNumbers(), (std::vector<uint16_t>{0, 5001, 5002, 5003}));
    EXPECT_EQ(library.GetControlElement().GetName(), "SIM");
    EXPECT_EQ(library.GetLabelElement().GetName(), "Label");  // not given: the built one

    EXPECT_EQ(docs.elements.at(1).pins, (std::vector<std::string>{"first", ""}));
    EXPECT_EQ(docs.elements.at(1).attributes.at(1), "resistance");
    EXPECT_EQ(docs.port.pins, (std::vector<std::string>{"the node"}));
    EXPECT_EQ(docs.control.attributes, (std::vector<std::string>{"end time"}));

    const auto items = library.GetMenus().GetItems();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].children.at(0), CMenuItem::Element(1, "R 2"));
    EXPECT_EQ(items[0].children.at(1), CMenuItem::Element(0, "Earth"));
    EXPECT_EQ(
        items[0].children.at(3).children,
        (std::vector<CMenuItem>{CMenuItem::Element(1005, "Port"), CMenuItem::Element(900, "far")}));
}

TEST(LibrarySource, IncludedFilesAreReadRelativeToTheIncludingFile) {
    CScriptedPrompts prompts;
    CLibraryData library(prompts);
    Build({{"lib/main.txt", "library\ninclude \"parts/a.txt\"\nmenu\n  item A\nend\n"},
           {"lib/parts/a.txt", "element A\nend\n"}},
          library, nullptr, "lib/main.txt");
    EXPECT_EQ(library.GetElement(0)->GetName(), "A");
}

TEST(LibrarySource, MistakesNameTheFileAndLine) {
    const std::string head = "library\n";
    const std::vector<std::pair<Files, std::string>> cases = {
        {{{"main.txt", "element R\nend\n"}}, "main.txt:1: the source must start with \"library\""},
        {{{"main.txt", head + "element R\n  line 0 0 1 1\n  circel 0 0 1 1\nend\n"}},
         "main.txt:4: unknown shape \"circel\""},
        {{{"main.txt", head + "element R\n  line 0 0 abc 1\nend\n"}},
         "main.txt:3: x2 must be a number, not \"abc\""},
        {{{"main.txt", head + "element R\nend\n\nelement r\nend\n"}},
         "main.txt:5: element \"r\" already defined at main.txt:2"},
        {{{"main.txt", head + "# c\nelement R\n  rect 0 0 1 1\n"}},
         "main.txt:3: no \"end\" for this block before the end of \"main.txt\""},
        {{{"main.txt", head + "menu\n  popup \"P\"\n    item RX\n  end\nend\n"}},
         "main.txt:4: unknown element \"RX\""},
        {{{"main.txt", head + "element R\n  description \"open\nend\n"}},
         "main.txt:3: text without closing quote"},
        {{{"main.txt", head + "include \"a.txt\"\n"}, {"a.txt", "\n\nelement A\n  pin 0\nend\n"}},
         "a.txt:4: missing pin y"},
        {{{"main.txt", head + "include \"main.txt\"\n"}},
         "main.txt:2: \"main.txt\" includes itself"},
        {{{"main.txt", head + "include \"none.txt\"\n"}},
         "main.txt:2: cannot read \"none.txt\": none.txt: No such file or directory"},
        {{{"main.txt", head + "element R\n  attr R float 1x\nend\n"}},
         "main.txt:3: float value must be a number with an optional suffix k M G m u n p, not "
         "\"1x\""},
        {{{"main.txt", head + "element R\n  attr R complex 1\nend\n"}},
         "main.txt:3: unknown attribute type \"complex\" (float, boolean, integer, string)"},
        {{{"main.txt", head + "element R\n  arc 0 0 1 1 orient 70000\nend\n"}},
         "main.txt:3: orientation 70000 is out of range 0 to 65535"},
        {{{"main.txt", head + "port\n  name P\nend\n"}},
         "main.txt:3: the port's netlist name is always \"Port\""},
        {{{"main.txt", head + "element R\n  line 0 0 1 1 colour 3\nend\n"}},
         "main.txt:3: unknown line setting \"colour\""},
        {{{"main.txt", head + "element R extra\nend\n"}}, "main.txt:2: unexpected \"extra\""},
        {{{"main.txt", head + "menu\n  item @-1\nend\n"}},
         "main.txt:3: identifier -1 is a popup or separator code"},
        {{{"main.txt", head + "menu\nend\nmenu\nend\n"}},
         "main.txt:4: menu already defined at main.txt:2"},
    };
    for (const auto& [files, message] : cases)
        EXPECT_EQ(ErrorOf(files), message);
}

TEST(LibrarySource, UnusualNamesAndBytesSurviveADump) {
    CTempFolder folder;
    CScriptedPrompts prompts;
    CLibraryData library(prompts);
    library.New(folder.Path("odd.lib"));
    for (const char* name : {"end", "@5", "a#b", "tab\there", "\xE9t\xE9", "", "ü"}) {
        auto element = CLibElement::MakeNew(name);
        element->SetDescription(std::string("line\nbreak \x01 ") + name);
        library.AppendElement(std::move(element));
    }
    // Bytes the tree form cannot give back are kept as they are.
    library.GetMenus().SetBytes(std::vector<uint8_t>{0xFF, 0xFF, 0x07});
    ASSERT_TRUE(library.Save());
    const std::string dump = WriteLibrarySource(library);
    EXPECT_NE(dump.find("menu raw\n  bytes ffff07\nend\n"), std::string::npos);
    CLibraryData again(prompts);
    again.New(folder.Path("again.lib"));
    Build({{"main.txt", dump}}, again);
    ASSERT_TRUE(again.Save());
    EXPECT_EQ(test::FileBytes(folder.Path("odd.lib")), test::FileBytes(folder.Path("again.lib")));
}

TEST(LibrarySource, EveryShapeOfAFileDumpsAndBuildsBack) {
    CTempFolder folder;
    CScriptedPrompts prompts;
    CLibraryData library(prompts);
    library.New(folder.Path("a.lib"));
    library.AppendElement(test::ElementWithEveryShape("ALL", library.GetFonts()));
    library.GetLabelElement().GetShapes().push_back(
        std::make_unique<CSHLine>(CPointF{0.1f, 1e-7f}, CPointF{-3.4e38f, 16777217.0f}));
    ASSERT_TRUE(library.Save());
    CLibraryData again(prompts);
    again.New(folder.Path("b.lib"));
    Build({{"main.txt", WriteLibrarySource(library)}}, again);
    ASSERT_TRUE(again.Save());
    EXPECT_EQ(test::FileBytes(folder.Path("a.lib")), test::FileBytes(folder.Path("b.lib")));
}

}  // namespace
}  // namespace kestro
