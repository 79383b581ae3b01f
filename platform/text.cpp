#include "text.h"

#include "thaitext/codec.h"

#include <algorithm>

namespace platform {
namespace {

std::u16string_view view(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

} // namespace

QString fromLatin(std::string_view bytes) {
    // Code page 1252 is Latin-1 but for 0x80-0x9F; Qt converts Latin-1 fastest.
    const bool latin1 = std::none_of(bytes.begin(), bytes.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b >= 0x80 && b <= 0x9F;
    });
    if (latin1)
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (char c : bytes)
        *out++ = QChar(thaitext::cp1252ToUnicode(static_cast<unsigned char>(c)));
    return text;
}

QString fromThai(std::string_view bytes) {
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (char c : bytes)
        *out++ = QChar(thaitext::tis620ToUnicode(static_cast<unsigned char>(c)));
    return text;
}

std::optional<std::string> toLatin(const QString& text) {
    return thaitext::encodeCp1252(view(text));
}
std::optional<std::string> toThai(const QString& text) {
    return thaitext::encodeTis620(view(text));
}

} // namespace platform
