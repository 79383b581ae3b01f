#pragma once
// eSpeak NG's voices as a library, rendering to 16-bit mono PCM at the voice's rate: a Thai
// word from the phonemes of its syllables (thaiscript/phonemes.h), each syllable said alone at
// 120 words a minute with the pitch range widened (SSML prosody range "x-high"), the silence
// the voice puts around it trimmed, 50 ms of silence at each end, 60 ms between the syllables
// of one word and 250 ms between words; an Italian text said as plain text by the Italian
// voice. data/sounds/make_sounds.sh makes the chart's sounds through the same rendering.
//
// eSpeak NG is one engine for the whole process: every call here takes a process-wide lock,
// so that one thread at a time uses it, and the engine starts on the first call that needs
// it. Plain C++: no Qt.

#include "thaiscript/phonemes.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace platform {

inline constexpr int kVoiceRate = 22050; // samples a second of eSpeak NG's voices

// Whether this build has eSpeak NG at all (KIT_HAVE_ESPEAK).
bool voiceBuiltIn();
// Whether the engine and its Thai and Italian voices start (their data is there); starts the
// engine on the first call.
bool voiceInstalled();

enum class Rendered { Done, Stopped, NotInstalled };

// Takes each piece of the rendering as soon as it is made (for a Thai word, the silence
// before a syllable and the syllable); false stops the rendering.
using PcmReceiver = std::function<bool(std::span<const std::int16_t> samples)>;
// Asked while the voice is rendering: true stops it at once (the engine's callback aborts).
using StopAsked = std::function<bool()>;

Rendered renderThai(const std::vector<thaiscript::SpokenSyllable>& syllables,
                    const PcmReceiver& receive, const StopAsked& stop = {});
Rendered renderItalian(std::string_view utf8, const PcmReceiver& receive,
                       const StopAsked& stop = {});

// The same into one buffer (nothing when stopped or not installed).
std::vector<std::int16_t> renderThaiWhole(const std::vector<thaiscript::SpokenSyllable>& syllables);

// What is left of `samples` (at kVoiceRate) once the quiet at each end is cut, as
// `sox in out silence 1 0.002 0.05% reverse silence 1 0.002 0.05% reverse` cuts it: the
// sound starts at the first 2 ms whose every sample has a running RMS (over the last 20 ms)
// above 0.05% of full scale, and ends, looking from the end, at the last such 2 ms.
std::span<const std::int16_t> trimSilence(std::span<const std::int16_t> samples);

} // namespace platform
