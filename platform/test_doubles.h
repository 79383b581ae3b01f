#pragma once
// Doubles of the platform layers for tests and benchmarks: a player that records what it
// is handed, a registry filled by the test, a launcher that records what it starts, a
// console printer that keeps what is printed.

#include "console_printer.h"
#include "registry.h"
#include "sound_player.h"
#include "speech.h"
#include "voice_recorder.h"

#include <QSet>
#include <QStringList>

#include <map>
#include <string>
#include <vector>

namespace platform {

class RecordingPlayer : public SoundPlayer {
public:
    void setFileName(const QString& path) override { calls.append(QStringLiteral("file:") + path); }
    void setAutoStart(bool on) override {
        calls.append(on ? QStringLiteral("start") : QStringLiteral("stop"));
    }
    QStringList calls;
};

// Keeps what it was asked to say, as "thai:" and the TIS-620 bytes as Latin-1, "italian:" and
// the text, "file:" and the path, "stop"; answers each request with `outcome` (Thai, Italian) or
// Started (files).
class RecordingSpeech : public Speech {
public:
    Outcome sayThai(std::string_view tis620) override {
        calls.append(QStringLiteral("thai:") +
                     QString::fromLatin1(tis620.data(), static_cast<qsizetype>(tis620.size())));
        return outcome;
    }
    Outcome sayItalian(const QString& text) override {
        calls.append(QStringLiteral("italian:") + text);
        return outcome;
    }
    Outcome playFile(const QString& nativePath) override {
        calls.append(QStringLiteral("file:") + nativePath);
        return Outcome::Started;
    }
    void stop() override { calls.append(QStringLiteral("stop")); }
    bool installed() const override { return outcome != Outcome::NotInstalled; }

    Outcome outcome = Outcome::Started;
    QStringList calls;
};

// Keeps the printed lines as text (pieces joined) and every piece with its font and colour.
class RecordingPrinter : public ConsolePrinter {
public:
    struct Piece {
        QString text;
        QString fontName;
        double fontSize;
        bool bold;
        Palette colour;
        int line;
    };

    void cls() override {
        lines.clear();
        pieces.clear();
        ++clears;
    }
    void setCurrentX(int) override {}
    void setCurrentY(int) override {}
    void setFontName(const QString& name) override { fontName_ = name; }
    void setFontSize(double points) override { fontSize_ = points; }
    void setFontBold(bool on) override { bold_ = on; }
    void setForeColor(Palette colour) override { colour_ = colour; }
    void print(const QString& text, bool endLine = false) override {
        if (lines.isEmpty() || lineEnded_)
            lines.append(QString());
        lineEnded_ = endLine;
        if (!text.isEmpty()) {
            lines.last() += text;
            pieces.append(
                {text, fontName_, fontSize_, bold_, colour_, static_cast<int>(lines.size() - 1)});
        }
    }

    QStringList lines;
    QList<Piece> pieces;
    int clears = 0;

private:
    QString fontName_;
    double fontSize_ = 0;
    bool bold_ = false;
    Palette colour_ = Palette::White;
    bool lineEnded_ = false;
};

class FakeRegistry : public Registry {
public:
    void setValue(const std::string& key, const std::string& name, std::uint32_t type,
                  std::string bytes) {
        keys_[key][name] = {type, std::move(bytes)};
    }
    void addKey(const std::string& key) { keys_[key]; }

    long openKey(RegistryKey root, const std::string& subKey, std::uint32_t access,
                 RegistryKey& key) override;
    long queryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                    unsigned char* data, std::uint32_t& length) override;
    long closeKey(RegistryKey key) override;

    int openKeys() const { return static_cast<int>(open_.size()); }
    std::vector<std::uint32_t> accessAsked;

private:
    struct Value {
        std::uint32_t type;
        std::string bytes;
    };
    std::map<std::string, std::map<std::string, Value>> keys_;
    std::map<RegistryKey, std::string> open_;
    RegistryKey next_ = 100;
};

class FakeLauncher : public ProgramLauncher {
public:
    bool fileExists(const QString& path) override { return existing.contains(path); }
    bool start(const QString& path) override {
        started.append(path);
        return startSucceeds;
    }
    QSet<QString> existing;
    QStringList started;
    bool startSucceeds = true;
};

// A microphone that hands over `samples` at `sampleRate` when stopped; none when `present` is
// false, one that refuses to start when `startFails`.
class FakeRecorder : public VoiceRecorder {
public:
    bool available() const override { return present; }
    bool start() override {
        ++starts;
        recording_ = present && !startFails;
        return recording_;
    }
    Take stop() override {
        if (!recording_)
            return {};
        recording_ = false;
        return {samples, sampleRate};
    }
    bool recording() const override { return recording_; }

    bool present = true;
    bool startFails = false;
    QByteArray samples;
    int sampleRate = 16000;
    int starts = 0;

private:
    bool recording_ = false;
};

} // namespace platform
