#include "espeak_voice.h"

#include <cmath>
#include <mutex>
#include <string>

#ifdef KIT_HAVE_ESPEAK
#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>
#endif

namespace platform {
namespace {

// The silences in samples at kVoiceRate, as many as sox made for the committed sound files
// (50 ms, 60 ms and 250 ms, the halves rounded as sox rounded them).
constexpr std::size_t kEdge = 1103;
constexpr std::size_t kBetweenSyllables = 1323;
constexpr std::size_t kBetweenWords = 5512;

constexpr int kThaiRate = 120;    // words a minute, as the tone digits were measured
constexpr int kItalianRate = 150; // a little slower than eSpeak's usual 175, for learners

// sox's silence effect, on 16-bit samples at kVoiceRate: a sample counts as sound when the
// RMS of the last 20 ms (itself included, zeros before the start), cut to 16 bits, is above
// 0.05% of full scale; the sound starts at the first 2 ms of such samples in a row.
constexpr std::size_t kRmsWindow = kVoiceRate / 50;
constexpr std::size_t kSoundRun = 44; // 0.002 s at 22050 Hz, rounded as sox rounds
constexpr double kThresholdPercent = 0.05;

template <typename Index>
std::ptrdiff_t firstSound(std::span<const std::int16_t> samples, Index at) {
    std::vector<double> window(kRmsWindow, 0.0);
    std::size_t current = 0;
    double sum = 0;
    std::size_t run = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        // sox works on 32-bit samples: the 16-bit ones shifted up.
        const double wide = static_cast<double>(samples[at(i)]) * 65536.0;
        const double square = wide * wide;
        const double rms = std::sqrt((sum - window[current] + square) / kRmsWindow);
        // The RMS as a 32-bit sample with only its top 16 bits kept, against full scale.
        const auto rms32 = static_cast<std::int32_t>(rms) & ~std::int32_t{0xffff};
        const bool sound = static_cast<double>(rms32) / 2147483647.0 * 100.0 > kThresholdPercent;
        sum -= window[current];
        window[current] = square;
        sum += square;
        current = (current + 1) % kRmsWindow;
        if (!sound) {
            run = 0;
        } else if (++run >= kSoundRun) {
            return static_cast<std::ptrdiff_t>(i + 1 - kSoundRun);
        }
    }
    return -1;
}

std::mutex engineLock; // eSpeak NG is one engine for the process

#ifdef KIT_HAVE_ESPEAK

struct Render {
    std::vector<std::int16_t>* samples;
    const StopAsked* stop;
    bool stopped = false;
};
Render* currentRender = nullptr; // under engineLock

int takeSamples(short* wav, int count, espeak_EVENT*) {
    Render* render = currentRender;
    if (!render)
        return 0;
    if (wav && count > 0)
        render->samples->insert(render->samples->end(), wav, wav + count);
    if (*render->stop && (*render->stop)()) {
        render->stopped = true;
        return 1;
    }
    return 0;
}

enum class Engine { Unknown, Ready, Missing };
Engine engine = Engine::Unknown; // under engineLock
std::string currentVoice;        // under engineLock

bool startEngine() {
    if (engine == Engine::Unknown) {
        engine = Engine::Missing;
        espeak_ng_InitializePath(nullptr);
        espeak_ng_ERROR_CONTEXT context = nullptr;
        const espeak_ng_STATUS status = espeak_ng_Initialize(&context);
        espeak_ng_ClearErrorContext(&context);
        if (status == ENS_OK &&
            espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr) == ENS_OK &&
            espeak_ng_GetSampleRate() == kVoiceRate) {
            espeak_SetSynthCallback(takeSamples);
            // Both voices must load: the kit speaks both languages.
            if (espeak_ng_SetVoiceByName("it") == ENS_OK &&
                espeak_ng_SetVoiceByName("th") == ENS_OK) {
                currentVoice = "th";
                engine = Engine::Ready;
            }
        }
    }
    return engine == Engine::Ready;
}

void appendSilence(std::vector<std::int16_t>& samples, std::size_t count) {
    samples.insert(samples.end(), count, 0);
}

// Says `text` with `voice` into `samples`; false when stopped or the voice failed.
bool synthesise(const char* voice, int rate, const std::string& text, unsigned flags,
                std::vector<std::int16_t>& samples, const StopAsked& stop) {
    if (currentVoice != voice) {
        if (espeak_ng_SetVoiceByName(voice) != ENS_OK)
            return false;
        currentVoice = voice;
    }
    espeak_ng_SetParameter(espeakRATE, rate, 0);
    Render render{&samples, &stop};
    currentRender = &render;
    const espeak_ng_STATUS status = espeak_ng_Synthesize(text.c_str(), text.size() + 1, 0,
                                                         POS_CHARACTER, 0, flags, nullptr, nullptr);
    currentRender = nullptr;
    return status == ENS_OK && !render.stopped;
}

#endif

} // namespace

std::span<const std::int16_t> trimSilence(std::span<const std::int16_t> samples) {
    const std::ptrdiff_t start = firstSound(samples, [](std::size_t i) { return i; });
    if (start < 0)
        return {};
    const auto rest = samples.subspan(static_cast<std::size_t>(start));
    const std::ptrdiff_t fromEnd =
        firstSound(rest, [&rest](std::size_t i) { return rest.size() - 1 - i; });
    return rest.first(rest.size() - static_cast<std::size_t>(fromEnd));
}

bool voiceBuiltIn() {
#ifdef KIT_HAVE_ESPEAK
    return true;
#else
    return false;
#endif
}

bool voiceInstalled() {
#ifdef KIT_HAVE_ESPEAK
    std::lock_guard lock(engineLock);
    return startEngine();
#else
    return false;
#endif
}

Rendered renderThai(const std::vector<thaiscript::SpokenSyllable>& syllables,
                    const PcmReceiver& receive, const StopAsked& stop) {
#ifdef KIT_HAVE_ESPEAK
    std::lock_guard lock(engineLock);
    if (!startEngine())
        return Rendered::NotInstalled;
    std::vector<std::int16_t> raw;
    std::vector<std::int16_t> piece;
    for (std::size_t i = 0; i < syllables.size(); ++i) {
        // As the espeak-ng program is told it: phoneme input ([[...]]), SSML, a pause at
        // the end; the blank after the phonemes ends them.
        const std::string text =
            "<speak><prosody range=\"x-high\">[[" + syllables[i].phonemes + "]] </prosody></speak>";
        raw.clear();
        if (!synthesise("th", kThaiRate, text,
                        espeakCHARS_UTF8 | espeakSSML | espeakPHONEMES | espeakENDPAUSE, raw, stop))
            return Rendered::Stopped;
        piece.clear();
        appendSilence(piece, i == 0                                       ? kEdge
                             : syllables[i].word == syllables[i - 1].word ? kBetweenSyllables
                                                                          : kBetweenWords);
        const auto sound = trimSilence(raw);
        piece.insert(piece.end(), sound.begin(), sound.end());
        if (i + 1 == syllables.size())
            appendSilence(piece, kEdge);
        if (!receive(piece))
            return Rendered::Stopped;
    }
    return Rendered::Done;
#else
    (void)syllables;
    (void)receive;
    (void)stop;
    return Rendered::NotInstalled;
#endif
}

Rendered renderItalian(std::string_view utf8, const PcmReceiver& receive, const StopAsked& stop) {
#ifdef KIT_HAVE_ESPEAK
    std::lock_guard lock(engineLock);
    if (!startEngine())
        return Rendered::NotInstalled;
    // Plain text: no markup, no phoneme brackets, whatever the text holds.
    std::string text;
    for (const char c : utf8)
        text += (c == '<' || c == '>' || c == '&' || c == '[' || c == ']') ? ' ' : c;
    std::vector<std::int16_t> raw;
    if (!synthesise("it", kItalianRate, text, espeakCHARS_UTF8 | espeakENDPAUSE, raw, stop))
        return Rendered::Stopped;
    std::vector<std::int16_t> whole;
    appendSilence(whole, kEdge);
    const auto sound = trimSilence(raw);
    whole.insert(whole.end(), sound.begin(), sound.end());
    appendSilence(whole, kEdge);
    return receive(whole) ? Rendered::Done : Rendered::Stopped;
#else
    (void)utf8;
    (void)receive;
    (void)stop;
    return Rendered::NotInstalled;
#endif
}

std::vector<std::int16_t>
renderThaiWhole(const std::vector<thaiscript::SpokenSyllable>& syllables) {
    std::vector<std::int16_t> whole;
    const Rendered rendered = renderThai(syllables, [&whole](std::span<const std::int16_t> piece) {
        whole.insert(whole.end(), piece.begin(), piece.end());
        return true;
    });
    if (rendered != Rendered::Done)
        whole.clear();
    return whole;
}

} // namespace platform
