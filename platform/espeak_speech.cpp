#include "espeak_speech.h"

#include "espeak_voice.h"
#include "thaiscript/phonemes.h"
#include "wav.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QFile>
#include <QIODevice>
#include <QMediaDevices>

#include <cstring>
#include <mutex>

namespace platform {

struct EspeakSpeech::Stream {
    std::mutex mutex;
    QByteArray bytes;      // under mutex
    qsizetype read = 0;    // under mutex: how much the device has taken
    bool finished = false; // under mutex: nothing more will come
    std::atomic<bool> cancelled{false};
    bool announced = false; // on the speech's thread: firstPcmRendered sent
};

namespace {

using Stream = EspeakSpeech::Stream;

// What the audio device pulls from: the stream's bytes as they come.
class StreamDevice : public QIODevice {
public:
    StreamDevice(std::shared_ptr<Stream> stream, std::function<void()> firstRead, QObject* parent)
        : QIODevice(parent), stream_(std::move(stream)), firstRead_(std::move(firstRead)) {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override {
        std::lock_guard lock(stream_->mutex);
        return stream_->bytes.size() - stream_->read + QIODevice::bytesAvailable();
    }
    bool atEnd() const override {
        std::lock_guard lock(stream_->mutex);
        return stream_->finished && stream_->read == stream_->bytes.size();
    }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        qint64 count = 0;
        {
            std::lock_guard lock(stream_->mutex);
            count = std::min<qint64>(maxSize, stream_->bytes.size() - stream_->read);
            std::memcpy(data, stream_->bytes.constData() + stream_->read,
                        static_cast<std::size_t>(count));
            stream_->read += count;
        }
        if (count > 0 && firstRead_) {
            firstRead_();
            firstRead_ = nullptr;
        }
        return count;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    std::shared_ptr<Stream> stream_;
    std::function<void()> firstRead_;
};

QAudioFormat voiceFormat() {
    QAudioFormat format;
    format.setSampleRate(kVoiceRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

bool blankThai(std::string_view tis620) {
    return tis620.find_first_not_of(" \t-") == std::string_view::npos;
}

} // namespace

EspeakSpeech::EspeakSpeech(QObject* parent) : QObject(parent) {
    worker_ = new QObject;
    worker_->moveToThread(&thread_);
    thread_.setObjectName(QStringLiteral("speech"));
    thread_.start();
}

EspeakSpeech::~EspeakSpeech() {
    stop();
    thread_.quit();
    thread_.wait();
    delete worker_; // the renderings still queued go with it
}

bool EspeakSpeech::installed() const {
    // The engine starts here, on the first question, before any rendering holds it.
    if (!installed_)
        installed_ = voiceInstalled();
    return *installed_;
}

Speech::Outcome EspeakSpeech::sayThai(std::string_view tis620) {
    if (!installed())
        return Outcome::NotInstalled;
    if (blankThai(tis620))
        return Outcome::NothingToSay;
    auto syllables = thaiscript::spokenSyllables(tis620);
    if (!syllables || syllables->empty())
        return Outcome::CannotRead;
    start(voiceFormat(),
          [syllables = std::move(*syllables), this](const std::shared_ptr<Stream>& stream) {
              const Rendered rendered = renderThai(
                  syllables,
                  [&](std::span<const std::int16_t> samples) {
                      if (stream->cancelled)
                          return false;
                      {
                          std::lock_guard lock(stream->mutex);
                          stream->bytes.append(reinterpret_cast<const char*>(samples.data()),
                                               static_cast<qsizetype>(samples.size_bytes()));
                      }
                      QMetaObject::invokeMethod(this, [this, stream] { pcmArrived(stream); });
                      return true;
                  },
                  [&] { return stream->cancelled.load(); });
              if (rendered == Rendered::Stopped)
                  ++rendersCut_;
          });
    return Outcome::Started;
}

Speech::Outcome EspeakSpeech::sayItalian(const QString& text) {
    if (!installed())
        return Outcome::NotInstalled;
    const QByteArray utf8 = text.simplified().toUtf8();
    bool anyLetter = false;
    for (const QChar c : text)
        anyLetter = anyLetter || c.isLetterOrNumber();
    if (!anyLetter)
        return Outcome::NothingToSay;
    start(voiceFormat(), [utf8, this](const std::shared_ptr<Stream>& stream) {
        const Rendered rendered = renderItalian(
            std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())),
            [&](std::span<const std::int16_t> samples) {
                {
                    std::lock_guard lock(stream->mutex);
                    stream->bytes.append(reinterpret_cast<const char*>(samples.data()),
                                         static_cast<qsizetype>(samples.size_bytes()));
                }
                QMetaObject::invokeMethod(this, [this, stream] { pcmArrived(stream); });
                return !stream->cancelled;
            },
            [&] { return stream->cancelled.load(); });
        if (rendered == Rendered::Stopped)
            ++rendersCut_;
    });
    return Outcome::Started;
}

Speech::Outcome EspeakSpeech::playFile(const QString& nativePath) {
    QFile file(nativePath);
    constexpr qint64 kLargest = 64 * 1024 * 1024; // a word's recording is far smaller
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLargest)
        return Outcome::NothingToSay;
    const QByteArray bytes = file.readAll();
    const auto sound =
        parseWav(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!sound || sound->data.empty())
        return Outcome::NothingToSay;
    QAudioFormat format;
    format.setSampleRate(sound->rate);
    format.setChannelCount(sound->channels);
    format.setSampleFormat(sound->bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    QByteArray data(sound->data.data(), static_cast<qsizetype>(sound->data.size()));
    start(format, [data, this](const std::shared_ptr<Stream>& stream) {
        {
            std::lock_guard lock(stream->mutex);
            stream->bytes = data;
        }
        QMetaObject::invokeMethod(this, [this, stream] { pcmArrived(stream); });
    });
    return Outcome::Started;
}

void EspeakSpeech::stop() {
    if (current_) {
        current_->cancelled = true;
        current_.reset();
    }
    stopSink();
}

// A new request: the one before stops, the job runs on the speech thread.
void EspeakSpeech::start(const QAudioFormat& format, Job job) {
    stop();
    auto stream = std::make_shared<Stream>();
    current_ = stream;
    format_ = format;
    if (QMediaDevices::audioOutputs().isEmpty())
        QMetaObject::invokeMethod(this, &EspeakSpeech::failed, Qt::QueuedConnection);
    QMetaObject::invokeMethod(worker_, [this, stream, job = std::move(job)] {
        if (stream->cancelled) {
            ++rendersCut_;
        } else {
            job(stream);
        }
        {
            std::lock_guard lock(stream->mutex);
            stream->finished = true;
        }
        QMetaObject::invokeMethod(this, [this, stream] { pcmArrived(stream); });
    });
}

void EspeakSpeech::pcmArrived(const std::shared_ptr<Stream>& stream) {
    if (stream != current_)
        return;
    bool any = false;
    {
        std::lock_guard lock(stream->mutex);
        any = !stream->bytes.isEmpty();
    }
    if (any && !stream->announced) {
        stream->announced = true;
        emit firstPcmRendered();
        startSink();
    }
}

void EspeakSpeech::startSink() {
    stopSink();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return; // said once already, when the request came
    sink_ = new QAudioSink(device, format_, this);
    connect(sink_, &QAudioSink::stateChanged, this, &EspeakSpeech::sinkStateChanged);
    auto* source = new StreamDevice(
        current_, [this] { emit firstPcmPlayed(); }, sink_);
    sink_->start(source);
    sinkStateChanged();
}

void EspeakSpeech::stopSink() {
    if (!sink_)
        return;
    QAudioSink* sink = sink_;
    sink_ = nullptr;
    sink->disconnect(this);
    sink->stop();
    sink->deleteLater();
}

// The device's errors only: a sink that has played everything stays idle until the next
// request replaces it, since stopping it would drop what the sound server still holds.
void EspeakSpeech::sinkStateChanged() {
    if (!sink_)
        return;
    const QAudio::Error error = sink_->error();
    if (error == QAudio::OpenError || error == QAudio::IOError || error == QAudio::FatalError) {
        stopSink();
        failed();
    }
}

void EspeakSpeech::failed() {
    if (failureReported_)
        return;
    failureReported_ = true;
    if (reportFailure)
        reportFailure(tr("No audio device can play the sound."));
}

} // namespace platform
