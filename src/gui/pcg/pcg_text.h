#pragma once

#include <QString>
#include <string_view>

namespace zentavour {

// The objectName of the control with a numeric id, as every window of the program names them.
inline QString PcgControlName(int id) {
  return QStringLiteral("control%1").arg(id);
}

inline QString ViewText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace zentavour
