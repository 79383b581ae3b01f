#pragma once
// Plays WAV files with QSoundEffect, which decodes them itself and needs no codec
// packages. A path that names a folder, a missing file or no audio device simply plays
// nothing; nothing waits for the sound.

#include "datafiles/path_mapping.h"
#include "sound_player.h"

#include <memory>
#include <vector>

class QSoundEffect;

namespace platform {

class QtSoundPlayer : public SoundPlayer {
public:
    explicit QtSoundPlayer(datafiles::PathMapper paths);
    // Returns once Qt has read every file this player asked for (a few seconds at most):
    // see the .cpp.
    ~QtSoundPlayer() override;

    void setFileName(const QString& path) override;
    void setAutoStart(bool on) override;

    // The native file the last file name led to, empty when it was no playable file.
    QString nativeFile() const { return nativeFile_; }
    QSoundEffect* effect() const { return effect_.get(); }

private:
    void retireIfLoading();
    bool anyLoading() const;

    datafiles::PathMapper paths_;
    std::unique_ptr<QSoundEffect> effect_;
    // Effects that were still loading when another file was asked for, kept, muted, until
    // Qt has read their files.
    std::vector<std::unique_ptr<QSoundEffect>> stillLoading_;
    QString nativeFile_;
};

} // namespace platform
