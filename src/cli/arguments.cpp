#include "cli/arguments.h"

#include <charconv>

namespace zentavour::cli {

std::optional<Arguments> ParseArguments(const std::vector<std::string>& args,
                                        const KnownOptions& options, std::string& error) {
  Arguments parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
      parsed.operands.push_back(arg);
      continue;
    }
    std::string name = arg.substr(2);
    std::optional<std::string> inlineValue;
    if (const auto eq = name.find('='); eq != std::string::npos) {
      inlineValue = name.substr(eq + 1);
      name.resize(eq);
    }
    if (parsed.has(name) && !options.repeatable.count(name)) {
      error = "option --" + name + " given twice";
      return std::nullopt;
    }
    if (options.flags.count(name) && !inlineValue) {
      parsed.flags.insert(name);
    } else if (options.withValue.count(name)) {
      if (inlineValue) {
        parsed.values[name] = *inlineValue;
      } else if (i + 1 < args.size()) {
        parsed.values[name] = args[++i];
      } else {
        error = "option --" + name + " needs a value";
        return std::nullopt;
      }
      if (options.repeatable.count(name)) parsed.repeated[name].push_back(parsed.values[name]);
    } else {
      error = "unknown option --" + name;
      return std::nullopt;
    }
  }
  return parsed;
}

std::optional<int> ParseInt(const std::string& text, int low, int high) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || value < low || value > high) {
    return std::nullopt;
  }
  return value;
}

}  // namespace zentavour::cli
