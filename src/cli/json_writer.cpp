#include "cli/json_writer.h"

#include <cstdio>

namespace zentavour::cli {

void JsonWriter::item(std::string_view key) {
  if (!hasItems_.empty()) {
    out_ += hasItems_.back() ? ",\n" : "\n";
    hasItems_.back() = true;
    out_.append(hasItems_.size() * 2, ' ');
  }
  if (!key.empty()) out_ += Quote(key) + ": ";
}

void JsonWriter::beginObject(std::string_view key) {
  item(key);
  out_ += "{";
  hasItems_.push_back(false);
}

void JsonWriter::endObject() {
  const bool any = hasItems_.back();
  hasItems_.pop_back();
  if (any) {
    out_.push_back('\n');
    out_.append(hasItems_.size() * 2, ' ');
  }
  out_.push_back('}');
}

void JsonWriter::beginArray(std::string_view key) {
  item(key);
  out_ += "[";
  hasItems_.push_back(false);
}

void JsonWriter::endArray() {
  const bool any = hasItems_.back();
  hasItems_.pop_back();
  if (any) {
    out_.push_back('\n');
    out_.append(hasItems_.size() * 2, ' ');
  }
  out_.push_back(']');
}

void JsonWriter::string(std::string_view key, std::string_view value) {
  item(key);
  out_ += Quote(value);
}

void JsonWriter::number(std::string_view key, std::int64_t value) {
  item(key);
  out_ += std::to_string(value);
}

void JsonWriter::boolean(std::string_view key, bool value) {
  item(key);
  out_ += value ? "true" : "false";
}

void JsonWriter::null(std::string_view key) {
  item(key);
  out_ += "null";
}

std::string JsonWriter::Quote(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    switch (c) {
      case '"': quoted += "\\\""; break;
      case '\\': quoted += "\\\\"; break;
      case '\n': quoted += "\\n"; break;
      case '\t': quoted += "\\t"; break;
      case '\r': quoted += "\\r"; break;
      default:
        if (u < 0x20 || u >= 0x7F) {
          // Names from instrument files are 8-bit; keep the document plain ASCII.
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
          quoted += escaped;
        } else {
          quoted += c;
        }
    }
  }
  return quoted + "\"";
}

}  // namespace zentavour::cli
