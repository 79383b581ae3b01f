// The console window's handlers of the new-word entry panel: opening and closing it, the
// Enter walk, the check and the write.

#include "console_window.h"
#include "entry_panel.h"
#include "help_page.h"

#include "datafiles/entry_writer.h"
#include "datafiles/record_writer.h"
#include "platform/text.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cerrno>

namespace vocaboro {
namespace {

using State = EntryPanel::State;

QString reasonOf(int error) {
    return QString::fromStdString(datafiles::describeError(error));
}

QString entryName(const datafiles::RecoveryResult& r) {
    return QStringLiteral("\"%1\" = \"%2\"")
        .arg(platform::fromLatin(r.headword), platform::fromLatin(r.counterpart));
}

// A journal that the kit neither reads nor changes: only the user can move it away.
bool refusedJournal(int error) {
    return error == datafiles::kErrorSymbolicLink || error == datafiles::kErrorHardLink ||
           error == datafiles::kErrorNotRegularFile || error == EISDIR;
}

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
        dialogs_.messageBox(writeFailureText(result, forwardTyped, reverseTyped),
                            {platform::Buttons::Ok, platform::Icon::Stop},
                            QStringLiteral("vocaboro"));
        return;
    }
    panel_->setRecordLabels(recordCaption(forwardFile_, forward),
                            recordCaption(reverseFile_, reverse));
    panel_->setState(State::Written);
    // The write button goes; what comes next is another word.
    panel_->Command3D7->setFocus();
}

QString Form1::writeFailureText(const datafiles::EntryWriteResult& result,
                                const QString& forwardTyped, const QString& reverseTyped) const {
    using P = datafiles::EntryWriteResult::Problem;
    using F = datafiles::EntryWriteResult::File;
    const QString file = result.file == F::Reverse ? reverseTyped : forwardTyped;
    const QString journal = typedPath(QLatin1String(datafiles::kJournalFileName));
    QString text;
    if (result.problem == P::Fragment) {
        text = QStringLiteral("The data file \"%1\" ends with an incomplete record on line %2. "
                              "Nothing was stored; repair that line, then write again.")
                   .arg(file)
                   .arg(result.fragmentLine);
    } else if (result.problem == P::TooLong && result.fragmentLine == 0) {
        text = QStringLiteral("The entry is longer than a record of the data files can be "
                              "(4 MiB). Nothing was stored.");
    } else if (result.problem == P::TooLong) {
        text = QStringLiteral("The data file \"%1\" holds a record longer than 4 MiB on line %2. "
                              "Nothing was stored; repair that line, then write again.")
                   .arg(file)
                   .arg(result.fragmentLine);
    } else if (!result.recovered.settled()) {
        text = QStringLiteral("An earlier, unfinished write could not be undone in \"%1\": %2. "
                              "Nothing was stored; try again in a moment.")
                   .arg(typedPath(result.recovered.errorFile), reasonOf(result.recovered.error));
    } else if (result.inJournal && refusedJournal(result.error)) {
        text = QStringLiteral("\"%1\" cannot be Vocaboro's journal of unfinished writes: %2. "
                              "Nothing was stored. Move it away or remove it (it holds no "
                              "words), then write again.")
                   .arg(journal, reasonOf(result.error));
    } else if (result.problem == P::OpenFailed && result.error == EWOULDBLOCK) {
        text = QStringLiteral("The %1 \"%2\" is in use by another program. Nothing was "
                              "stored; try again in a moment.")
                   .arg(result.inJournal ? QStringLiteral("journal") : QStringLiteral("data file"),
                        result.inJournal ? journal : file);
    } else if (result.problem == P::RollbackFailed) {
        const QString undoFile = result.undoFile == F::Reverse ? reverseTyped : forwardTyped;
        text = QStringLiteral("The %1 \"%2\" could not be written: %3. The part of the "
                              "entry already written to \"%4\" could not be removed (%5); "
                              "Vocaboro will remove it the next time it opens this data folder.")
                   .arg(result.inJournal ? QStringLiteral("journal") : QStringLiteral("data file"),
                        result.inJournal ? journal : file, reasonOf(result.error), undoFile,
                        reasonOf(result.undoError));
    } else {
        text = QStringLiteral("The %1 \"%2\" could not be written: %3. Nothing was stored.")
                   .arg(result.inJournal ? QStringLiteral("journal") : QStringLiteral("data file"),
                        result.inJournal ? journal : file, reasonOf(result.error));
    }
    if (result.error == EACCES || result.error == EPERM || result.error == EROFS)
        text += QStringLiteral(
                    " To keep your own words, start Vocaboro again and type a folder of your "
                    "own at the prompt, such as %1/thai/, with a copy of the data files in it.")
                    .arg(QDir::homePath());
    return text;
}

void Form1::reportRecovery(const datafiles::RecoveryResult& recovery, bool atStart) {
    const QString entry = recovery.headword.empty() && recovery.counterpart.empty()
                              ? QStringLiteral("an entry")
                              : QStringLiteral("the entry ") + entryName(recovery);
    const QString failed = typedPath(recovery.errorFile);
    QString text;
    if (recovery.error == datafiles::kErrorChangedMeanwhile) {
        text = QStringLiteral("Vocaboro stopped before it had finished writing %1, and "
                              "another program has changed \"%2\" since. That file was left as "
                              "it is: please check its last line.")
                   .arg(entry, failed);
    } else if (recovery.error == datafiles::kErrorJournalDamaged) {
        const QString files =
            recovery.forwardFile.empty() || recovery.reverseFile.empty()
                ? QStringLiteral("the data files written last")
                : QStringLiteral("\"%1\" and \"%2\"")
                      .arg(typedPath(recovery.forwardFile), typedPath(recovery.reverseFile));
        text = QStringLiteral("Vocaboro stopped before it had finished writing %1, and its "
                              "record of that write, \"%2\", is damaged. Nothing was removed, so "
                              "the entry may be in one data file only: please check the last "
                              "lines of %3. The damaged record was kept as \"%4\".")
                   .arg(entry, failed, files, typedPath(recovery.setAside));
    } else if (!recovery.settled() && atStart) {
        // Told at once: until it is dealt with, a half entry may be read and no word written.
        if (recovery.errorFile.filename() == datafiles::kJournalFileName &&
            refusedJournal(recovery.error))
            text = QStringLiteral("\"%1\" is where Vocaboro keeps the record of an unfinished "
                                  "write, but %2. Vocaboro neither reads nor changes it, and "
                                  "cannot add words to this data folder while it is there: move "
                                  "it away or remove it (it holds no words), then start Vocaboro "
                                  "again.")
                       .arg(failed, reasonOf(recovery.error));
        else if (recovery.errorFile.filename() == datafiles::kJournalFileName)
            text = QStringLiteral("Vocaboro cannot use \"%1\", its record of an unfinished "
                                  "write: %2. Until it can, the last entry written may be in one "
                                  "data file only, and no word can be added to this data folder. "
                                  "Vocaboro tries again before each write and at the next start.")
                       .arg(failed, reasonOf(recovery.error));
        else
            text = QStringLiteral("Vocaboro stopped before it had finished writing %1, and the "
                                  "part already stored in \"%2\" could not be removed yet: %3. "
                                  "Until it is, the entry may be in one data file only, and no "
                                  "word can be added to this data folder. Vocaboro tries again "
                                  "before each write and at the next start.")
                       .arg(entry, failed, reasonOf(recovery.error));
    } else if (recovery.undone) {
        text = QStringLiteral("Vocaboro stopped before it had finished writing %1. The "
                              "part already stored has been removed, so the entry is in neither "
                              "data file: write it again to keep it.")
                   .arg(entry);
    }
    if (!text.isEmpty())
        dialogs_.messageBox(text,
                            {platform::Buttons::Ok, recovery.settled() && recovery.error == 0
                                                        ? platform::Icon::Information
                                                        : platform::Icon::Stop},
                            QStringLiteral("vocaboro"));
}

} // namespace vocaboro
