#pragma once
// The edge between the bytes of the data and QString, by field kind: the Thai field is
// TIS-620, every other field code page 1252.

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace platform {

QString fromLatin(std::string_view bytes);
QString fromThai(std::string_view bytes);

// Empty when the text holds a character the code set lacks.
std::optional<std::string> toLatin(const QString& text);
std::optional<std::string> toThai(const QString& text);

} // namespace platform
