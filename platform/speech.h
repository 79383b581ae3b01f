#pragma once
// What the kit says aloud: a Thai word, read by the syllable reader and said by the synthetic
// voice from its phonemes (thaiscript/phonemes.h); an Italian word, said by the Italian voice;
// or a WAV file, a recording of the word. Saying goes on off the caller's thread and is played
// through the audio device; each request cancels the one still sounding. Nothing here shows a
// message: the outcome tells the caller what to say, and `reportFailure` hears, once, that the
// audio device could not play.

#include <QString>

#include <functional>
#include <string_view>

namespace platform {

class Speech {
public:
    enum class Outcome {
        Started,      // it is being said
        NothingToSay, // empty text, or only blanks and markers
        CannotRead,   // Thai that the syllable reader does not read whole
        NotInstalled, // no synthetic voice in this build or on this machine
    };

    virtual ~Speech() = default;
    // Thai script as TIS-620 bytes, as the data files hold it.
    virtual Outcome sayThai(std::string_view tis620) = 0;
    virtual Outcome sayItalian(const QString& text) = 0;
    // A WAV file the caller has checked (datafiles/sound_files.h), by its native path.
    virtual Outcome playFile(const QString& nativePath) = 0;
    // Stops what is being said, if anything.
    virtual void stop() = 0;
    // Whether a synthetic voice is there at all.
    virtual bool installed() const = 0;

    // Called at most once for each Speech, on the caller's thread, with a sentence in the
    // user's language, when the audio device cannot play (none, or it failed).
    std::function<void(const QString& message)> reportFailure;
};

} // namespace platform
