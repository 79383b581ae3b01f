// The pronunciation buttons: the word of the open entry panel, else the word of the last
// match printed, said from its record's own sound file or by the kit's voice.
#include "console_window.h"

#include "entry_panel.h"
#include "help_page.h"

#include "platform/text.h"
#include "platform/word_speech.h"

#include <QLineEdit>

namespace vocaboro {
namespace {

constexpr int kItalianBox = 0; // Text1
constexpr int kThaiBox = 2;    // Text3
constexpr int kThaiSoundBox = 5;
constexpr int kItalianSoundBox = 6;

const QString kBoxTitle = QStringLiteral("vocaboro");

// A sound field typed in a box, as the data files would hold it; a character code page 1252
// lacks leaves no file to play.
std::string typedSoundField(const QLineEdit* box) {
    return platform::toLatin(box->text()).value_or(std::string());
}

} // namespace

void Form1::Command3D1_Click() {
    helpPage_->hideNextButtons();
    platform::WordSaid said;
    if (!panel_->box(kItalianBox)->isHidden()) {
        said = platform::sayItalianWord(speech_, paths_, state_.datapath,
                                        typedSoundField(panel_->box(kItalianSoundBox)),
                                        panel_->box(kItalianBox)->text());
    } else if (state_.lastMatch) {
        // A reverse file's record holds the Italian word as its counterpart.
        const datafiles::DictionaryRecord& r = *state_.lastMatch;
        said = platform::sayItalianWord(
            speech_, paths_, state_.datapath, r.italianSound,
            platform::fromLatin(state_.lastMatchReverse ? r.counterpart : r.headword));
    }
    tellWhatWasSaid(said);
}

void Form1::Command3D2_Click() {
    helpPage_->hideNextButtons();
    platform::WordSaid said;
    if (!panel_->box(kItalianBox)->isHidden()) {
        const QString typed = panel_->box(kThaiBox)->text();
        const std::optional<std::string> thai = platform::toThai(typed);
        said = platform::sayThaiWord(speech_, paths_, state_.datapath,
                                     typedSoundField(panel_->box(kThaiSoundBox)),
                                     thai.value_or(std::string()));
        // A character TIS-620 lacks: the word cannot be read.
        if (!thai && !said.fromFile)
            said.outcome = platform::Speech::Outcome::CannotRead;
    } else if (state_.lastMatch) {
        said = platform::sayThaiWord(speech_, paths_, state_.datapath, state_.lastMatch->thaiSound,
                                     state_.lastMatch->thai);
    }
    tellWhatWasSaid(said);
}

void Form1::tellWhatWasSaid(const platform::WordSaid& said) {
    if (const QStringList sentences = platform::problemsOf(said); !sentences.isEmpty())
        dialogs_.messageBox(sentences.join(QStringLiteral("\n\n")),
                            {platform::Buttons::Ok, platform::Icon::Information}, kBoxTitle);
}

void Form1::watchSpeech() {
    speech_.reportFailure = [this, told = false](const QString& message) mutable {
        if (told)
            return;
        told = true;
        dialogs_.messageBox(message, {platform::Buttons::Ok, platform::Icon::Information},
                            kBoxTitle);
    };
}

} // namespace vocaboro
