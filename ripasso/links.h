#pragma once
// What Ripasso's pages use: the questions and messages, the sound, the speech, the microphone,
// the progress, where "C:" of a typed folder leads, and the day. Tests hand in scripted
// dialogs, a recording player and speech, a fake microphone, a store of their own and a day of
// their choosing.

#include "progress_store.h"

#include "datafiles/file_io.h"
#include "platform/dialogs.h"
#include "platform/sound_player.h"
#include "platform/speech.h"
#include "platform/voice_recorder.h"

#include <QString>

#include <cstdint>
#include <filesystem>
#include <functional>

class QFont;
class QLabel;
class QWidget;

namespace platform {
class MarkedButton;
}

namespace ripasso {

struct Links {
    platform::Dialogs& dialogs;
    platform::SoundPlayer& player;
    platform::Speech& speech;          // the words said; it outlives the window
    platform::VoiceRecorder& recorder; // the learner's voice, in the Words page
    ProgressStore& store;
    std::filesystem::path driveRoot;
    std::function<int()> today; // the day number, counted from 1970-01-01
    std::uint32_t seed = 1;     // of the drills' choices
    datafiles::FileAccess fileAccess = {};
};

// Today in local time, as a day number.
int currentDay();

inline const QString kProgramTitle = QStringLiteral("Ripasso");
inline const QString kDefaultFolder = QStringLiteral("C:\\THAI\\");

// A typed folder with a separator at its end, so that a file name can follow it.
QString folderText(const QString& typed);

// A button with a visible focus mark, named for tests and for screen readers.
platform::MarkedButton* makeButton(QWidget* parent, const char* name, const QString& text,
                                   const QString& accessibleName = {});
// A label named for tests; screen readers hear its text, then `description`.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& description);

} // namespace ripasso
