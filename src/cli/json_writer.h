#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zentavour::cli {

// A small writer of one JSON document, with two-space indentation.
class JsonWriter {
 public:
  void beginObject(std::string_view key = {});
  void endObject();
  void beginArray(std::string_view key = {});
  void endArray();
  void string(std::string_view key, std::string_view value);
  void number(std::string_view key, std::int64_t value);
  void boolean(std::string_view key, bool value);
  void null(std::string_view key);
  // Array elements have no key.
  void string(std::string_view value) { string({}, value); }
  void number(std::int64_t value) { number({}, value); }

  std::string str() const { return out_ + "\n"; }

 private:
  void item(std::string_view key);
  static std::string Quote(std::string_view text);

  std::string out_;
  std::vector<bool> hasItems_;
};

}  // namespace zentavour::cli
