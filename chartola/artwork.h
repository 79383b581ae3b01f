#pragma once
// Chartola's pictures, drawn by the program itself.

#include <QIcon>
#include <QPixmap>

namespace chartola::artwork {

QIcon chartIcon();           // 32 x 32 window icon
QPixmap chartStrip();        // 625 x 12 strip at the top of the chart
QPixmap dictionaryPicture(); // 49 x 19, beside "Dictionary"
QPixmap dictionaryBackground(); // 200 x 257, behind the dictionary window
QPixmap alphabetPicture();    // on "Alphabet"
QPixmap loadPicture(bool thaiFirst); // on the two whole-dictionary buttons

} // namespace chartola::artwork
