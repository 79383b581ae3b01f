#pragma once
// The microphone: a voice taken whole into memory as 16-bit mono PCM, for a word's recording.
// `QtVoiceRecorder` takes it from the desktop's default input with Qt Multimedia; tests hand
// in a fake that delivers samples of their own.

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

namespace platform {

class VoiceRecorder {
public:
    struct Take {
        QByteArray pcm;     // 16-bit signed little-endian samples, one channel
        int sampleRate = 0; // samples a second
    };

    virtual ~VoiceRecorder() = default;
    // Whether there is an input device at all.
    virtual bool available() const = 0;
    // Starts taking the voice; false when the device could not start (nothing is taken).
    virtual bool start() = 0;
    // Stops and hands over what was taken since start (nothing when it was not started).
    virtual Take stop() = 0;
    virtual bool recording() const = 0;

    // Called on the caller's thread, with a sentence in the user's language, when the device
    // fails while taking the voice; the take is then over (stop hands over what was taken).
    std::function<void(const QString& message)> reportError;
};

// The desktop's default audio input, through Qt Multimedia.
std::unique_ptr<VoiceRecorder> makeSystemRecorder();

} // namespace platform
