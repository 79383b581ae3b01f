#include "qt_sound_player.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace platform {

QtSoundPlayer::QtSoundPlayer(datafiles::PathMapper paths)
    : paths_(std::move(paths)), effect_(std::make_unique<QSoundEffect>()) {}

QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::setFileName(const QString& path) {
    effect_->stop();
    const QString native = QString::fromStdString(paths_.map(path.toStdString()).string());
    // A folder (the sound folder alone, before any letter was clicked) or a missing file
    // is no sound: leave the player empty instead of handing it something it cannot open.
    if (path.isEmpty() || !QFileInfo(native).isFile()) {
        nativeFile_.clear();
        effect_->setSource(QUrl());
        return;
    }
    nativeFile_ = native;
    const QUrl url = QUrl::fromLocalFile(native);
    if (effect_->source() == url) {
        // The same file again: reloading it would not restart it.
        return;
    }
    effect_->setSource(url);
}

void QtSoundPlayer::setAutoStart(bool on) {
    if (!on || nativeFile_.isEmpty())
        return;
    // QSoundEffect loads asynchronously; play() before the load ends starts it when ready.
    effect_->play();
}

} // namespace platform
