#pragma once
// The kit's pictures, compiled in as Qt resources under ":/assets/". A picture that
// cannot be loaded gives an empty one: no window fails to open for it.

#include <QIcon>
#include <QPixmap>

class QLabel;

namespace platform {

QPixmap loadPicture(const char* name);
QIcon loadIcon(const char* name);
// Shows the picture in the label; a GIF with several frames plays as an animation.
void showPicture(QLabel* label, const char* name);

} // namespace platform
