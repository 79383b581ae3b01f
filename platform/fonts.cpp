#include "fonts.h"

#include <QFont>
#include <QStringList>

namespace platform {

void installFontSubstitutes() {
    const QStringList thai = {QStringLiteral("Tlwg Typist"), QStringLiteral("Tlwg Typo"),
                              QStringLiteral("Loma"), QStringLiteral("Garuda")};
    QFont::insertSubstitutions(kThaiFixedFont, thai);
    QFont::insertSubstitutions(kThaiButtonFont, {QStringLiteral("Loma"), QStringLiteral("Garuda"),
                                                 QStringLiteral("Tlwg Typist")});
    QFont::insertSubstitutions(
        kSerifFont, {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(kSansFont,
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

QFont makeFont(const QString& name, double points, bool bold) {
    QFont font(name);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace platform
