#pragma once
// The console's pictures, drawn by the program itself.

#include <QIcon>
#include <QPixmap>

namespace vocaboro::artwork {

QPixmap consoleBackground(); // 200 x 257, top-left corner of the window
QPixmap mainPicture(QSize size);
QPixmap helpPicture(QSize size);
QIcon directionIcon(const char* from, const char* to); // "it", "th"
QIcon speakerIcon();

} // namespace vocaboro::artwork
