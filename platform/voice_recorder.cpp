#include "voice_recorder.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSource>
#include <QBuffer>
#include <QCoreApplication>
#include <QMediaDevices>

namespace platform {
namespace {

struct RecorderText {
    Q_DECLARE_TR_FUNCTIONS(platform::VoiceRecorder)
};

class QtVoiceRecorder : public VoiceRecorder {
public:
    bool available() const override { return !QMediaDevices::defaultAudioInput().isNull(); }

    bool start() override {
        stop();
        const QAudioDevice device = QMediaDevices::defaultAudioInput();
        if (device.isNull())
            return false;
        // 16-bit mono at the first rate the device takes: enough for a voice, small files.
        QAudioFormat format;
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        bool supported = false;
        for (const int rate : {22050, 16000, 44100, 48000}) {
            format.setSampleRate(rate);
            if ((supported = device.isFormatSupported(format)))
                break;
        }
        if (!supported)
            return false;
        buffer_ = std::make_unique<QBuffer>();
        buffer_->open(QIODevice::WriteOnly);
        source_ = std::make_unique<QAudioSource>(device, format);
        QObject::connect(
            source_.get(), &QAudioSource::stateChanged, source_.get(), [this](QAudio::State state) {
                if (state == QAudio::StoppedState && source_ &&
                    source_->error() != QAudio::NoError && reportError)
                    reportError(
                        RecorderText::tr("The microphone stopped: the recording ends here."));
            });
        source_->start(buffer_.get());
        if (source_->error() != QAudio::NoError || source_->state() == QAudio::StoppedState) {
            source_.reset();
            buffer_.reset();
            return false;
        }
        rate_ = format.sampleRate();
        return true;
    }

    Take stop() override {
        Take take;
        if (!source_)
            return take;
        source_->disconnect();
        source_->stop();
        take.pcm = buffer_->data();
        take.pcm.truncate(take.pcm.size() & ~qsizetype(1)); // whole samples
        take.sampleRate = rate_;
        source_.reset();
        buffer_.reset();
        return take;
    }

    bool recording() const override { return source_ != nullptr; }

private:
    std::unique_ptr<QBuffer> buffer_;
    std::unique_ptr<QAudioSource> source_;
    int rate_ = 0;
};

} // namespace

std::unique_ptr<VoiceRecorder> makeSystemRecorder() {
    return std::make_unique<QtVoiceRecorder>();
}

} // namespace platform
