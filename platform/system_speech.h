#pragma once
// The speech of the running programs: eSpeak NG's voices through the audio device when the
// build has eSpeak NG (KIT_HAVE_ESPEAK), else a Speech that says it is not installed.

#include "speech.h"

#include <memory>

namespace platform {

std::unique_ptr<Speech> makeSystemSpeech();

} // namespace platform
