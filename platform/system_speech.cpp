#include "system_speech.h"

#include "espeak_speech.h"

namespace platform {

// Without eSpeak NG in the build, or its data on the machine, EspeakSpeech says nothing
// (NotInstalled) and still plays the recordings.
std::unique_ptr<Speech> makeSystemSpeech() {
    return std::make_unique<EspeakSpeech>();
}

} // namespace platform
