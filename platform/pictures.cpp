#include "pictures.h"

#include <QLabel>
#include <QMovie>

namespace platform {
namespace {

QString resourcePath(const char* name) {
    return QStringLiteral(":/assets/") + QLatin1String(name);
}

} // namespace

QPixmap loadPicture(const char* name) {
    QPixmap pixmap;
    pixmap.load(resourcePath(name)); // stays null when it cannot be read
    return pixmap;
}

QIcon loadIcon(const char* name) {
    const QPixmap pixmap = loadPicture(name);
    return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}

void showPicture(QLabel* label, const char* name) {
    const QString path = resourcePath(name);
    if (path.endsWith(QLatin1String(".gif"))) {
        auto* movie = new QMovie(path, QByteArray(), label);
        if (movie->isValid() && movie->frameCount() > 1) {
            label->setMovie(movie);
            movie->start();
            return;
        }
        delete movie;
    }
    label->setPixmap(loadPicture(name));
}

} // namespace platform
