// The program's texts are UTF-8 std::strings; Qt's widgets take QStrings.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace app {

inline QString qs(const std::string& text) { return QString::fromStdString(text); }
inline QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
inline QString qs(const char* text) { return QString::fromUtf8(text); }

}  // namespace app
