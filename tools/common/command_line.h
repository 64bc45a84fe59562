#pragma once

// The one parser of command-line arguments that every tool uses, so options behave the
// same everywhere: "--name VALUE" or "--name=VALUE", short aliases ("-o FILE"), "--"
// ending the options, and the same messages for what cannot be used.
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestro::tool {

// One option a tool accepts besides --help, --version and --verbose.
struct COption {
    std::string_view name;        // "--library"
    std::string_view alias = {};  // "-o", or empty
    bool takesValue = false;
    std::string_view valueName = {};  // "a file name": what the message says is missing
    bool repeatable = false;          // may be given more than once (each value is kept)
};

class CCommandLine {
public:
    bool Has(std::string_view name) const { return m_values.contains(name); }
    // The value given for an option, or `fallback` when it was not given.
    std::string Value(std::string_view name, std::string fallback = {}) const;
    // Every value of a repeatable option, in the order given.
    std::vector<std::string> Values(std::string_view name) const;
    const std::vector<std::string>& Positional() const { return m_positional; }
    bool Verbose() const { return m_verbose; }

    // The arguments after the program name against the tool's options. On a problem the
    // message is printed named after the tool and the bad-arguments status comes back.
    std::optional<int> Parse(const std::vector<std::string>& args,
                             std::span<const COption> options);

private:
    std::map<std::string, std::vector<std::string>, std::less<>> m_values;
    std::vector<std::string> m_positional;
    bool m_verbose = false;
};

// The first positional argument must be one of `commands`; the status when it is not.
std::optional<int> RequireCommand(const CCommandLine& line,
                                  std::initializer_list<std::string_view> commands);

}  // namespace kestro::tool
