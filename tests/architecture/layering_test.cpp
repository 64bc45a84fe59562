// The layers of the sources: an include that runs back up a layer fails here.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/architecture/include_rules.h"

namespace kestro {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(IncludeRules, FilesBelongToTheLayerOfTheirFolder) {
    EXPECT_EQ(LayerOf("core/document/index/name_index.h"), "core/document");
    EXPECT_EQ(LayerOf("core/platform/path.cpp"), "core/platform");
    EXPECT_EQ(LayerOf("gui/views/kestro_view.cpp"), "gui");
    EXPECT_EQ(LayerOf("tools/kestro-lib/main.cpp"), "tools");
    EXPECT_EQ(LayerOf("tests/core/x.cpp"), "");
}

TEST(IncludeRules, LowerAndOwnLayersAreAllowed) {
    EXPECT_TRUE(IncludeViolations("core/library/shape.cpp",
                                  "#include \"core/platform/record_buffer.h\"\n"
                                  "#include \"core/library/shape.h\"\n#include <vector>\n")
                    .empty());
    EXPECT_TRUE(
        IncludeViolations("core/objects/sim_term.cpp", "#include \"core/document/circuit.h\"\n")
            .empty());
    EXPECT_TRUE(IncludeViolations("gui/views/v.cpp",
                                  "#include <QWidget>\n#include \"core/app/settings_transfer.h\"")
                    .empty());
}

TEST(IncludeRules, AnIncludeOfAHigherLayerIsReportedWithItsLine) {
    const auto violations = IncludeViolations("core/library/shape.cpp",
                                              "// x\n#include \"core/library/shape.h\"\n"
                                              "  #  include \"core/document/circuit.h\"\n");
    ASSERT_EQ(violations.size(), 1u);
    EXPECT_EQ(violations[0],
              "core/library/shape.cpp:3 includes core/document/circuit.h "
              "(core/library may not use core/document)");
    EXPECT_EQ(IncludeViolations("core/schematic_file/r.cpp",
                                "#include \"core/hierarchy/subcircuit_search.h\"")
                  .size(),
              1u);
    EXPECT_EQ(
        IncludeViolations("core/netlist/w.cpp", "#include \"core/app/netlist_source.h\"").size(),
        1u);
}

TEST(IncludeRules, TheCoreUsesNoQtNorTheEditorNorTheTools) {
    EXPECT_EQ(IncludeViolations("core/app/a.cpp", "#include <QString>\n").size(), 1u);
    EXPECT_EQ(IncludeViolations("core/app/a.cpp", "#include <QtCore/qglobal.h>\n").size(), 1u);
    EXPECT_EQ(IncludeViolations("core/app/a.cpp", "#include \"gui/views/kestro_view.h\"\n").size(),
              1u);
    EXPECT_EQ(
        IncludeViolations("core/app/a.cpp", "#include \"tools/common/tool_support.h\"\n").size(),
        1u);
    EXPECT_EQ(
        IncludeViolations("gui/app/a.cpp", "#include \"tools/common/tool_support.h\"\n").size(),
        1u);
    EXPECT_EQ(IncludeViolations("tools/x/a.cpp", "#include \"gui/views/kestro_view.h\"\n").size(),
              1u);
}

TEST(Layering, NoSourceIncludesAHeaderOfAHigherLayer) {
    const fs::path root = KESTRO_SOURCE_DIR;
    size_t files = 0;
    std::vector<std::string> violations;
    for (const char* top : {"core", "gui", "tools"}) {
        for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
            const fs::path& path = entry.path();
            if (!entry.is_regular_file()) continue;
            if (path.extension() != ".h" && path.extension() != ".cpp") continue;
            ++files;
            const std::string relative = fs::relative(path, root).generic_string();
            for (auto& violation : IncludeViolations(relative, ReadText(path)))
                violations.push_back(std::move(violation));
        }
    }
    EXPECT_GT(files, 100u);
    for (const auto& violation : violations)
        ADD_FAILURE() << violation;
}

}  // namespace
}  // namespace kestro
