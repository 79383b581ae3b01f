#pragma once
// The media player as the chart uses it: set the file name, then switch auto-start on,
// which opens the file and plays it from the beginning. Nothing is read back and nothing
// is reported: a player shows no messages of its own.

#include <QString>

namespace platform {

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // The path as the window builds it: the folder text followed by the file name.
    virtual void setFileName(const QString& path) = 0;
    virtual void setAutoStart(bool on) = 0;
};

} // namespace platform
