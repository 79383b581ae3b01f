// The kit's voice from a request to the sound: sayThai("บ้าน") on the real Speech
// (platform/espeak_speech.h), timed to the first bytes the audio sink reads from the
// rendered PCM; 20 runs after a first one, each new request cancelling the one before, as
// a user's clicks do. Without an audio device (no sound server) it times the request to the
// first PCM rendered, and says so.
//   speech_probe        prints the table rows; status 1 when eSpeak NG is not installed
// A sound server for it: pulseaudio --start --exit-idle-time=-1, then
// pactl load-module module-null-sink sink_name=kitnull and pactl set-default-sink kitnull.
// Not a test: it prints the median and the range of the runs.

#include "platform/espeak_speech.h"
#include "platform/text.h"

#include "probe_clocks.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QEventLoop>
#include <QMediaDevices>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const bool device = !QMediaDevices::audioOutputs().isEmpty();
    platform::EspeakSpeech speech;
    bool failed = false;
    speech.reportFailure = [&failed](const QString&) { failed = true; };
    const std::string word = platform::toThai(QStringLiteral("บ้าน")).value_or(std::string());
    std::atomic<double> reached{0};
    QEventLoop loop;
    const auto mark = [&reached, &loop] {
        reached = bench::wallMilliseconds();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    };
    if (device)
        QObject::connect(&speech, &platform::EspeakSpeech::firstPcmPlayed, &loop, mark,
                         Qt::DirectConnection);
    else
        QObject::connect(&speech, &platform::EspeakSpeech::firstPcmRendered, &loop, mark,
                         Qt::DirectConnection);

    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, &loop, &QEventLoop::quit);
    // One request: the milliseconds to the mark, or -1 when it never came.
    const auto once = [&]() -> double {
        reached = 0;
        const double start = bench::wallMilliseconds();
        if (speech.sayThai(word) != platform::Speech::Outcome::Started)
            return -1;
        giveUp.start(3000);
        loop.exec();
        giveUp.stop();
        return reached > 0 ? reached - start : -1;
    };
    const auto pause = [](int ms) {
        QEventLoop wait;
        QTimer::singleShot(ms, &wait, &QEventLoop::quit);
        wait.exec();
    };

    const double started = bench::wallMilliseconds();
    if (!speech.installed()) {
        std::fprintf(stderr, "speech_probe: eSpeak NG is not installed\n");
        return 1;
    }
    const double engine = bench::wallMilliseconds() - started;
    const double first = once();
    std::vector<double> runs;
    for (int i = 0; i < 20; ++i) {
        pause(150); // the word under way, as a user clicks again
        const double ms = once();
        if (ms >= 0)
            runs.push_back(ms);
    }
    speech.stop();
    const char* what = device && !failed ? "first sample read by the audio sink"
                                         : "first PCM rendered (no audio device)";
    const auto row = [](const std::string& measure, double median, double least, double most,
                        std::size_t count) {
        std::printf("| %-64s | %8.2f ms [%.2f-%.2f] | %4zu runs |\n", measure.c_str(), median,
                    least, most, count);
    };
    std::printf("| %-64s | %-27s | %-9s |\n", "measure", "median [min-max]", "");
    if (runs.empty()) {
        std::printf("sayThai: no %s within 3 s\n", what);
        return 1;
    }
    std::sort(runs.begin(), runs.end());
    row("eSpeak NG started (the first question)", engine, engine, engine, 1);
    row(std::string("first sayThai to the ") + what, first, first, first, 1);
    row(std::string("sayThai(ban, falling) to the ") + what, runs[runs.size() / 2], runs.front(),
        runs.back(), runs.size());
    std::printf("(%s; median %.2f ms, max %.2f ms)\n",
                device && !failed ? "through the default audio device"
                                  : "no audio device: the time to the first rendered PCM chunk",
                runs[runs.size() / 2], runs.back());
    return 0;
}
