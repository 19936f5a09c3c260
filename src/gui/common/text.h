#pragma once

#include <QString>
#include <string_view>
#include <type_traits>

namespace zentavour {

// Text from the core (UTF-8) for a widget.
inline QString Str(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The objectName of the control with a numeric id, as every window of the program names them;
// tests find controls by these names.
inline QString ControlName(int id) { return QStringLiteral("control%1").arg(id); }

template <typename Id>
  requires std::is_enum_v<Id>
inline QString ControlName(Id id) {
  return ControlName(static_cast<int>(id));
}

}  // namespace zentavour
