#include "pictures.h"

#include <QEvent>
#include <QLabel>
#include <QMovie>

namespace platform {
namespace {

QString resourcePath(const char* name) {
    return QStringLiteral(":/assets/") + QLatin1String(name);
}

// An animated picture's frames turn only while its label is shown: a hidden window's
// pictures take no time on their timers.
class PlaysWhileShown : public QObject {
public:
    explicit PlaysWhileShown(QMovie* movie) : QObject(movie), movie_(movie) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
            movie_->setPaused(event->type() == QEvent::Hide);
        return false;
    }

private:
    QMovie* movie_;
};

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
            movie->setPaused(!label->isVisible());
            label->installEventFilter(new PlaysWhileShown(movie));
            return;
        }
        delete movie;
    }
    label->setPixmap(loadPicture(name));
}

} // namespace platform
