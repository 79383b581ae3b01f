#pragma once
// Saying a dictionary word as the pronunciation buttons and Ripasso do: its own recording
// when the record names a good sound file of the sound folder, else the synthetic voice. The
// caller shows the messages; nothing here asks anything.

#include "speech.h"

#include "datafiles/path_mapping.h"

#include <QString>
#include <QStringList>

#include <string_view>

namespace platform {

struct WordSaid {
    Speech::Outcome outcome = Speech::Outcome::NothingToSay;
    bool fromFile = false; // the record's own sound file is playing
    // Not empty when the record named a sound file that was not played (refused as a path,
    // missing, unreadable, not a WAV, too large, not a regular file): a sentence that names
    // the file, in the user's language. The synthetic voice was then tried.
    QString fileProblem;
};

// The Thai of a record: `thaiTis620` (its `thai` field) and `soundField` (its `thaiSound`
// field), the sound folder as typed (`folder`, mapped through `paths`).
WordSaid sayThaiWord(Speech& speech, const datafiles::PathMapper& paths, const QString& folder,
                     std::string_view soundField, std::string_view thaiTis620);
// The Italian of a record: its Italian word as text and its `italianSound` field.
WordSaid sayItalianWord(Speech& speech, const datafiles::PathMapper& paths, const QString& folder,
                        std::string_view soundField, const QString& italian);

// The sentence for an outcome that said nothing (empty for Started): nothing to say; a word
// the kit cannot read, with the advice to record it in Ripasso's Words page; speech not
// installed.
QString speechProblem(Speech::Outcome outcome);
// What to tell after a word was said: the file's problem, then the outcome's; none when the
// word is being said without trouble.
QStringList problemsOf(const WordSaid& said);

} // namespace platform
