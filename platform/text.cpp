#include "text.h"

#include "thaitext/codec.h"

namespace platform {
namespace {

std::u16string_view view(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

QString toQString(const std::u16string& text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

} // namespace

QString fromLatin(std::string_view bytes) { return toQString(thaitext::decodeCp1252(bytes)); }
QString fromThai(std::string_view bytes) { return toQString(thaitext::decodeTis620(bytes)); }

std::optional<std::string> toLatin(const QString& text) { return thaitext::encodeCp1252(view(text)); }
std::optional<std::string> toThai(const QString& text) { return thaitext::encodeTis620(view(text)); }

} // namespace platform
