#include "qt_sound_player.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSoundEffect>
#include <QThread>
#include <QUrl>

namespace platform {
namespace {

constexpr qint64 kLongestLoadWaitMs = 3000;

bool loading(const QSoundEffect& effect) {
    return effect.status() == QSoundEffect::Loading;
}

} // namespace

QtSoundPlayer::QtSoundPlayer(datafiles::PathMapper paths)
    : paths_(std::move(paths)), effect_(std::make_unique<QSoundEffect>()) {}

// Qt 6.4 reads sound files in a loading thread of a cache that lives until the process
// exits. If the process exits while that thread is reading a file, the cache's destructor
// takes the lock that the thread needs next and then waits for the thread: the process
// never ends (a test run that timed out after its last test had passed). The wait here
// lets every file this player asked for be read first; the windows are gone by then, so
// no user input is handled meanwhile. An effect that is given another file while it is
// still loading may take the end of the earlier load for its own, so such an effect is
// kept, muted, until its file is read, and a new effect takes the next file.
QtSoundPlayer::~QtSoundPlayer() {
    if (!QCoreApplication::instance())
        return;
    QElapsedTimer waited;
    waited.start();
    while (anyLoading() && waited.elapsed() < kLongestLoadWaitMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(1);
    }
}

bool QtSoundPlayer::anyLoading() const {
    if (loading(*effect_))
        return true;
    for (const auto& effect : stillLoading_)
        if (loading(*effect))
            return true;
    return false;
}

void QtSoundPlayer::retireIfLoading() {
    std::erase_if(stillLoading_, [](const auto& effect) { return !loading(*effect); });
    if (!loading(*effect_))
        return;
    effect_->setMuted(true); // it would still play its sound once read
    stillLoading_.push_back(std::move(effect_));
    effect_ = std::make_unique<QSoundEffect>();
}

void QtSoundPlayer::setFileName(const QString& path) {
    effect_->stop();
    const QString native = QString::fromStdString(paths_.map(path.toStdString()).string());
    // A folder (the sound folder alone, before any letter was clicked) or a missing file
    // is no sound: leave the player empty instead of handing it something it cannot open.
    if (path.isEmpty() || !QFileInfo(native).isFile()) {
        nativeFile_.clear();
        retireIfLoading();
        effect_->setSource(QUrl());
        return;
    }
    nativeFile_ = native;
    const QUrl url = QUrl::fromLocalFile(native);
    if (effect_->source() == url) {
        // The same file again: reloading it would not restart it.
        return;
    }
    retireIfLoading();
    effect_->setSource(url);
}

void QtSoundPlayer::setAutoStart(bool on) {
    if (!on || nativeFile_.isEmpty())
        return;
    // QSoundEffect loads asynchronously; play() before the load ends starts it when ready.
    effect_->play();
}

} // namespace platform
