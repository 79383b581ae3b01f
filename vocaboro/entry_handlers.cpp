// The console window's handlers of the new-word entry panel: opening and closing it, the
// Enter walk, the check and the write.

#include "console_window.h"
#include "entry_messages.h"
#include "entry_panel.h"
#include "help_page.h"

#include "datafiles/entry_writer.h"
#include "datafiles/record_writer.h"
#include "platform/text.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vocaboro {
namespace {

using State = EntryPanel::State;

// The program named in the messages of the write and of the recovery.
const QString kProgramName = QStringLiteral("Vocaboro");

// "LEXFWD_C.DAT:casabaan--...$$": the file, a colon and the record's values run together.
QString recordCaption(const QString& file, const datafiles::DictionaryRecord& r) {
    return file + QStringLiteral(":") + platform::fromLatin(r.headword) +
           platform::fromLatin(r.counterpart) + platform::fromLatin(r.attribute) +
           platform::fromLatin(r.note) + platform::fromThai(r.thai) +
           platform::fromLatin(r.thaiSound) + platform::fromLatin(r.italianSound);
}

} // namespace

void Form1::openPanel(PanelOpener opener) {
    console_->cls();
    if (opener == PanelOpener::Button)
        helpPage_->hideNextButtons();
    panel_->setState(State::Typing);
    panel_->hideError();
    if (opener == PanelOpener::Button) {
        for (QWidget* w :
             std::initializer_list<QWidget*>{Command3d9, Command3D10, Command3D11, Command5})
            w->hide();
        Command3->show();
    } else {
        for (QWidget* w : std::initializer_list<QWidget*>{Command3D10, Command3D11, Command3D12,
                                                          Command3, Command5})
            w->hide();
    }
    Label8->hide();
    EntryTexts texts;
    if (opener == PanelOpener::ItalianLookup)
        texts[0] = state_.lookupWord;
    else if (opener == PanelOpener::ThaiLookup)
        texts[3] = state_.lookupPronunciation;
    else if (opener == PanelOpener::ScriptLookup)
        texts[2] = state_.lookupScript;
    panel_->setTexts(texts);
    panel_->setFileLabels(QStringLiteral("file DAT Italy"), QStringLiteral("file DAT Thai"));
    panel_->setRecordLabels({}, {});
    panel_->Label12->clear();
    if (opener == PanelOpener::Button) {
        Label14->hide();
        Text8->hide();
        Command3D12->hide();
    }
    panel_->box(opener == PanelOpener::ItalianLookup ? 1 : 0)->setFocus();
}

void Form1::neww() {
    openPanel(PanelOpener::ItalianLookup);
}

void Form1::newwt() {
    openPanel(PanelOpener::ThaiLookup);
}

void Form1::Command5_Click() {
    openPanel(PanelOpener::Button);
}

void Form1::entryKeyPress(int box, int keyAscii) {
    if (keyAscii == 13)
        panel_->enterPressed(box);
}

void Form1::Text1_Change() {
    panel_->hideError();
}

void Form1::Text4_Change() {
    panel_->hideError();
}

void Form1::Command3D4_Click() {
    panel_->clearBoxes();
    panel_->setFileLabels({}, {});
    panel_->hideError();
    if (panel_->state() == State::ReadyToWrite)
        panel_->setState(State::Typing); // the write button goes
    panel_->box(0)->setFocus();
}

void Form1::Command3D7_Click() {
    panel_->clearBoxes();
    panel_->setFileLabels({}, {});
    panel_->hideError();
    panel_->setState(State::Typing);
    // "Next..." itself goes: the next word is typed at once.
    panel_->box(0)->setFocus();
}

void Form1::Command3D6_Click() {
    panel_->setState(State::Closed);
    showConsoleButtons();
    Label8->show();
}

void Form1::Command3D8_Click() {
    panel_->setState(State::Closed);
    Label8->hide();
    showConsoleButtons();
}

// --- the check and the write

void Form1::Command3D5_Click() {
    forwardFile_.clear();
    reverseFile_.clear();
    const CheckResult check = checkEntry(panel_->texts());
    if (!check.passed()) {
        panel_->showError(check.failure);
        checkPassed_ = 0;
        panel_->Command3D3->setText(QString());
        panel_->setState(State::Typing);
        return;
    }
    forwardFile_ = check.forwardFile;
    reverseFile_ = check.reverseFile;
    panel_->Label12->clear();
    panel_->hideError();
    panel_->setFileLabels(QStringLiteral("File Italy : ") + forwardFile_,
                          QStringLiteral("File Thai : ") + reverseFile_);
    // Empty optional boxes show their markers, as the kept values hold them.
    panel_->setTexts(check.texts);
    state_.record = check.record;
    checkPassed_ = 1;
    panel_->Command3D3->setText(QStringLiteral("Write in the files!"));
    panel_->setState(State::ReadyToWrite);
    panel_->Command3D3->setFocus(); // Enter or Space now writes
}

void Form1::Command3D3_Click() {
    if (checkPassed_ != 1)
        return;
    const datafiles::DictionaryRecord forward = state_.record;
    const datafiles::DictionaryRecord reverse = datafiles::reverseOf(forward);
    const QString forwardTyped = typedPath(forwardFile_);
    const QString reverseTyped = typedPath(reverseFile_);
    const datafiles::EntryWriteResult result = datafiles::appendEntry(
        paths_.map(forwardTyped.toStdString()), datafiles::formatRecordLine(forward),
        paths_.map(reverseTyped.toStdString()), datafiles::formatRecordLine(reverse),
        options_.fileAccess);
    reportRecovery(result.recovered, false);
    if (!result.ok()) {
        // Nothing is shown as written: the panel stays ready for another try.
        dialogs_.messageBox(
            writeFailureText(
                result, forwardTyped, reverseTyped,
                [this](const std::filesystem::path& file) { return typedPath(file); },
                kProgramName),
            {platform::Buttons::Ok, platform::Icon::Stop}, QStringLiteral("vocaboro"));
        return;
    }
    panel_->setRecordLabels(recordCaption(forwardFile_, forward),
                            recordCaption(reverseFile_, reverse));
    panel_->setState(State::Written);
    // The write button goes; what comes next is another word.
    panel_->Command3D7->setFocus();
}

void Form1::reportRecovery(const datafiles::RecoveryResult& recovery, bool atStart) {
    const QString text = recoveryText(
        recovery, atStart, [this](const std::filesystem::path& file) { return typedPath(file); },
        kProgramName);
    if (!text.isEmpty())
        dialogs_.messageBox(text,
                            {platform::Buttons::Ok, recovery.settled() && recovery.error == 0
                                                        ? platform::Icon::Information
                                                        : platform::Icon::Stop},
                            QStringLiteral("vocaboro"));
}

} // namespace vocaboro
