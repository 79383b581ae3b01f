#pragma once
// The fonts the windows name, and the installed fonts that stand in for them.

#include <QFont>
#include <QString>

namespace platform {

inline const QString kThaiFixedFont = QStringLiteral("DB ThaiTextFixed");
inline const QString kThaiButtonFont = QStringLiteral("DCO Thai");
inline const QString kSerifFont = QStringLiteral("Times New Roman");
inline const QString kSansFont = QStringLiteral("MS Sans Serif");

// Maps the four names above to installed fonts (fonts-thai-tlwg, fonts-liberation2).
// Call once, after the application object exists.
void installFontSubstitutes();

// A font by name and point size, as the windows' designer gave them.
QFont makeFont(const QString& name, double points, bool bold = false);

} // namespace platform
