// The argument parser that every tool shares.
#include "tools/common/command_line.h"

#include <gtest/gtest.h>

#include "tools/common/tool_support.h"

const char* const kestro::tool::kToolName = "test-tool";

namespace kestro::tool {
namespace {

constexpr COption kOptions[] = {
    {.name = "--output", .alias = "-o", .takesValue = true, .valueName = "a file name"},
    {.name = "--json"},
    {.name = "--search", .takesValue = true, .repeatable = true},
};

// The status and the message printed for these arguments.
std::pair<std::optional<int>, std::string> Parse(CCommandLine& line,
                                                 const std::vector<std::string>& args) {
    ::testing::internal::CaptureStderr();
    const auto status = line.Parse(args, kOptions);
    return {status, ::testing::internal::GetCapturedStderr()};
}

TEST(CommandLine, OptionsTakeTheirValuesInEitherFormAndPositionalsKeepTheirOrder) {
    CCommandLine line;
    EXPECT_EQ(Parse(line, {"dump", "-o", "a.txt", "in.lib", "--json", "--search=/x", "--search",
                           "/y", "--", "-file"})
                  .first,
              std::nullopt);
    EXPECT_EQ(line.Value("--output"), "a.txt");
    EXPECT_TRUE(line.Has("--json"));
    EXPECT_FALSE(line.Verbose());
    EXPECT_EQ(line.Values("--search"), (std::vector<std::string>{"/x", "/y"}));
    EXPECT_EQ(line.Positional(), (std::vector<std::string>{"dump", "in.lib", "-file"}));
    EXPECT_EQ(line.Value("--missing", "fallback"), "fallback");
}

TEST(CommandLine, WhatCannotBeUsedIsNamedAndGivesTheBadArgumentsStatus) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--frob"}, "test-tool: unknown option --frob (see --help)\n"},
        {{"--frob=1"}, "test-tool: unknown option --frob (see --help)\n"},
        {{"-o"}, "test-tool: -o needs a file name\n"},
        {{"--output="}, "test-tool: --output needs a file name\n"},
        {{"--search"}, "test-tool: --search needs a value\n"},
        {{"--json=1"}, "test-tool: --json takes no value\n"},
        {{"-o", "a", "--output", "b"}, "test-tool: --output is given twice\n"},
    };
    for (const auto& [args, message] : cases) {
        CCommandLine line;
        const auto [status, printed] = Parse(line, args);
        EXPECT_EQ(status, kBadArguments) << args[0];
        EXPECT_EQ(printed, message);
    }
}

TEST(CommandLine, CommandsAreCheckedAndVerboseIsKnownToEveryTool) {
    CCommandLine line;
    ASSERT_EQ(Parse(line, {"--verbose", "dump"}).first, std::nullopt);
    EXPECT_TRUE(line.Verbose());
    EXPECT_EQ(RequireCommand(line, {"build", "dump"}), std::nullopt);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(RequireCommand(line, {"build"}), kBadArguments);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "test-tool: unknown command dump (see --help)\n");
    CCommandLine empty;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(RequireCommand(empty, {"build"}), kBadArguments);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "test-tool: no command given (see --help)\n");
}

}  // namespace
}  // namespace kestro::tool
