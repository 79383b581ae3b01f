#include "word_speech.h"

#include "text.h"

#include "datafiles/sound_files.h"

#include <QCoreApplication>

#include <functional>

namespace platform {
namespace {

struct WordSpeech {
    Q_DECLARE_TR_FUNCTIONS(platform::WordSpeech)
};

QString fileProblem(const QString& file, datafiles::SoundFileCheck check) {
    using datafiles::SoundFileCheck;
    switch (check) {
    case SoundFileCheck::Good:
        break;
    case SoundFileCheck::Missing:
        return WordSpeech::tr("The sound file “%1” cannot be played: it is missing.").arg(file);
    case SoundFileCheck::NotWave:
        return WordSpeech::tr("The sound file “%1” cannot be played: it is not a WAV file.")
            .arg(file);
    case SoundFileCheck::TooLarge:
        return WordSpeech::tr("The sound file “%1” cannot be played: it is larger than 16 MiB.")
            .arg(file);
    case SoundFileCheck::NotRegular:
        return WordSpeech::tr("The sound file “%1” cannot be played: it is not a regular file.")
            .arg(file);
    case SoundFileCheck::Unreadable:
        return WordSpeech::tr("The sound file “%1” cannot be played: it cannot be read.").arg(file);
    }
    return {};
}

// The record's own sound file when its field names a good one, else `voice`.
WordSaid say(Speech& speech, const datafiles::PathMapper& paths, const QString& folder,
             std::string_view field, const std::function<Speech::Outcome()>& voice) {
    WordSaid said;
    std::string_view name;
    switch (datafiles::soundField(field, &name)) {
    case datafiles::SoundField::None:
        break;
    case datafiles::SoundField::Refused:
        said.fileProblem =
            WordSpeech::tr(
                "The sound field “%1” names a path outside the sound folder: it was not opened.")
                .arg(fromLatin(field));
        break;
    case datafiles::SoundField::Name: {
        // The folder as typed, like the data files; the name's code page 1252 bytes as the
        // file system's UTF-8.
        const std::string typed =
            paths.folderWithSeparator(folder.toStdString()) + fromLatin(name).toStdString();
        const std::filesystem::path file = paths.map(typed);
        const QString native = QString::fromStdString(file.string());
        const datafiles::SoundFileCheck check = datafiles::checkSoundFile(file);
        if (check != datafiles::SoundFileCheck::Good) {
            said.fileProblem = fileProblem(native, check);
            break;
        }
        said.outcome = speech.playFile(native);
        said.fromFile = said.outcome == Speech::Outcome::Started;
        if (said.fromFile)
            return said;
        break;
    }
    }
    said.outcome = voice();
    return said;
}

} // namespace

WordSaid sayThaiWord(Speech& speech, const datafiles::PathMapper& paths, const QString& folder,
                     std::string_view soundField, std::string_view thaiTis620) {
    return say(speech, paths, folder, soundField, [&] {
        if (thaiTis620.empty() || thaiTis620 == "@")
            return Speech::Outcome::NothingToSay;
        return speech.sayThai(thaiTis620);
    });
}

WordSaid sayItalianWord(Speech& speech, const datafiles::PathMapper& paths, const QString& folder,
                        std::string_view soundField, const QString& italian) {
    return say(speech, paths, folder, soundField, [&] {
        if (italian.trimmed().isEmpty())
            return Speech::Outcome::NothingToSay;
        return speech.sayItalian(italian);
    });
}

QString speechProblem(Speech::Outcome outcome) {
    switch (outcome) {
    case Speech::Outcome::Started:
        break;
    case Speech::Outcome::NothingToSay:
        return WordSpeech::tr("There is no word to say.");
    case Speech::Outcome::CannotRead:
        return WordSpeech::tr(
            "The kit cannot read this Thai word with certainty, so its voice does not say it. You "
            "can record the word on Ripasso's Words page (Record).");
    case Speech::Outcome::NotInstalled:
        return WordSpeech::tr("Speech is not installed: the kit's voice (eSpeak NG) is missing.");
    }
    return {};
}

QStringList problemsOf(const WordSaid& said) {
    QStringList told;
    if (!said.fileProblem.isEmpty())
        told << said.fileProblem;
    if (const QString problem = speechProblem(said.outcome); !problem.isEmpty())
        told << problem;
    return told;
}

} // namespace platform
