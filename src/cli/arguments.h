#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace zentavour::cli {

// A command line split into options (--name value, or --flag) and operands, in any order.
struct Arguments {
  std::map<std::string, std::string> values;
  std::set<std::string> flags;
  std::vector<std::string> operands;
  // Every value of a repeatable option, in command-line order (values holds the last).
  std::map<std::string, std::vector<std::string>> repeated;

  bool has(const std::string& name) const { return values.count(name) || flags.count(name); }
  std::optional<std::string> value(const std::string& name) const {
    const auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
};

// What a command accepts: options that take a value and options that are flags.
struct KnownOptions {
  std::set<std::string> withValue;
  std::set<std::string> flags;
  std::set<std::string> repeatable = {};  // options with a value that may come more than once
};

// Parses args (after the command words). Fills error and returns nothing on an unknown option, a
// missing value or an option given twice that is not repeatable.
std::optional<Arguments> ParseArguments(const std::vector<std::string>& args,
                                        const KnownOptions& options, std::string& error);

// Parses a whole decimal number in [low, high].
std::optional<int> ParseInt(const std::string& text, int low, int high);

}  // namespace zentavour::cli
