#pragma once
// The kit's voice: eSpeak NG (espeak_voice.h) rendering on a thread of its own, the sound
// played through the default audio device with QAudioSink as soon as the first syllable is
// rendered. Each request cancels the one before it: its rendering stops at once and the
// device stops playing it. A WAV file that is not PCM (8 or 16 bits, mono or stereo) is
// nothing to say. Without eSpeak NG (not built in, or its data missing) nothing is said
// (NotInstalled), but files still play.

#include "speech.h"

#include <QAudioFormat>
#include <QObject>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QAudioSink;

namespace platform {

class EspeakSpeech : public QObject, public Speech {
    Q_OBJECT
public:
    explicit EspeakSpeech(QObject* parent = nullptr);
    ~EspeakSpeech() override;

    Outcome sayThai(std::string_view tis620) override;
    Outcome sayItalian(const QString& text) override;
    Outcome playFile(const QString& nativePath) override;
    void stop() override;
    bool installed() const override;

    // Renderings that stopped before their end: cancelled by a later request, by stop() or by
    // the destruction (for the tests).
    int rendersCut() const { return rendersCut_.load(); }

    struct Stream; // the PCM of one request, shared by the rendering thread and the device

signals:
    // The first PCM of the current request is rendered (on this object's thread).
    void firstPcmRendered();
    // The audio device has read the first bytes of the current request (on whichever thread
    // the device reads: connect directly).
    void firstPcmPlayed();

private:
    using Job = std::function<void(const std::shared_ptr<Stream>&)>;
    void start(const QAudioFormat& format, Job job);
    void pcmArrived(const std::shared_ptr<Stream>& stream);
    void startSink();
    void stopSink();
    void sinkStateChanged();
    void failed();

    QThread thread_;
    QObject* worker_ = nullptr; // lives on thread_; its events run the renderings
    std::shared_ptr<Stream> current_;
    QAudioFormat format_;
    QAudioSink* sink_ = nullptr;
    bool failureReported_ = false;
    mutable std::optional<bool> installed_;
    std::atomic<int> rendersCut_{0};
};

} // namespace platform
