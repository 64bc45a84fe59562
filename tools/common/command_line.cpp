#include "tools/common/command_line.h"

#include <algorithm>

#include "tools/common/tool_support.h"

namespace kestro::tool {

namespace {

const COption* FindOption(std::span<const COption> options, std::string_view given) {
    const auto found = std::find_if(options.begin(), options.end(), [&](const COption& o) {
        return o.name == given || (!o.alias.empty() && o.alias == given);
    });
    return found == options.end() ? nullptr : &*found;
}

std::string MissingValue(const COption& option, std::string_view given) {
    const std::string_view what = option.valueName.empty() ? "a value" : option.valueName;
    return std::string(given) + " needs " + std::string(what);
}

}  // namespace

std::string CCommandLine::Value(std::string_view name, std::string fallback) const {
    const auto found = m_values.find(name);
    if (found == m_values.end() || found->second.empty()) return fallback;
    return found->second.back();
}

std::vector<std::string> CCommandLine::Values(std::string_view name) const {
    const auto found = m_values.find(name);
    return found == m_values.end() ? std::vector<std::string>() : found->second;
}

std::optional<int> CCommandLine::Parse(const std::vector<std::string>& args,
                                       std::span<const COption> options) {
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            m_positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--verbose" || arg == "-v") {
            m_verbose = true;
            continue;
        }
        const size_t equals = arg.starts_with("--") ? arg.find('=') : std::string::npos;
        const std::string given = arg.substr(0, equals);
        const COption* option = FindOption(options, given);
        if (!option) return Fail(kBadArguments, "unknown option " + given + " (see --help)");
        const std::string name(option->name);
        if (m_values.contains(name) && !option->repeatable)
            return Fail(kBadArguments, given + " is given twice");
        auto& values = m_values[name];
        if (!option->takesValue) {
            if (equals != std::string::npos) return Fail(kBadArguments, given + " takes no value");
            continue;
        }
        if (equals != std::string::npos) {
            values.push_back(arg.substr(equals + 1));
        } else {
            if (i + 1 >= args.size()) return Fail(kBadArguments, MissingValue(*option, given));
            values.push_back(args[++i]);
        }
        if (values.back().empty()) return Fail(kBadArguments, MissingValue(*option, given));
    }
    return std::nullopt;
}

std::optional<int> RequireCommand(const CCommandLine& line,
                                  std::initializer_list<std::string_view> commands) {
    if (line.Positional().empty()) return Fail(kBadArguments, "no command given (see --help)");
    const std::string& command = line.Positional().front();
    if (std::find(commands.begin(), commands.end(), command) == commands.end())
        return Fail(kBadArguments, "unknown command " + command + " (see --help)");
    return std::nullopt;
}

}  // namespace kestro::tool
