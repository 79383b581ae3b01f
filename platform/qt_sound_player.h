#pragma once
// Plays WAV files with QSoundEffect, which decodes them itself and needs no codec
// packages. A path that names a folder, a missing file or no audio device simply plays
// nothing; nothing waits for the sound.

#include "datafiles/path_mapping.h"
#include "sound_player.h"

#include <memory>

class QSoundEffect;

namespace platform {

class QtSoundPlayer : public SoundPlayer {
public:
    explicit QtSoundPlayer(datafiles::PathMapper paths);
    ~QtSoundPlayer() override;

    void setFileName(const QString& path) override;
    void setAutoStart(bool on) override;

    // The native file the last file name led to, empty when it was no playable file.
    QString nativeFile() const { return nativeFile_; }
    QSoundEffect* effect() const { return effect_.get(); }

private:
    datafiles::PathMapper paths_;
    std::unique_ptr<QSoundEffect> effect_;
    QString nativeFile_;
};

} // namespace platform
