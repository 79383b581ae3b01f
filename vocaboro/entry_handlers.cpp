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
    reportRecovery(result.recovered);
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
}

QString Form1::writeFailureText(const datafiles::EntryWriteResult& result,
                                const QString& forwardTyped, const QString& reverseTyped) const {
    using P = datafiles::EntryWriteResult::Problem;
    using F = datafiles::EntryWriteResult::File;
    const QString file = result.file == F::Reverse ? reverseTyped : forwardTyped;
    QString text;
    if (result.problem == P::Fragment) {
        text = QStringLiteral("The data file \"%1\" ends with an incomplete record on line %2. "
                              "Nothing was stored; repair that line, then write again.")
                   .arg(file)
                   .arg(result.fragmentLine);
    } else if (result.recovered.error != 0 &&
               result.recovered.error != datafiles::kErrorChangedMeanwhile) {
        text = QStringLiteral("An earlier, unfinished write could not be undone in \"%1\": %2. "
                              "Nothing was stored; try again in a moment.")
                   .arg(QString::fromStdString(result.recovered.errorFile.string()),
                        reasonOf(result.recovered.error));
    } else if (result.problem == P::OpenFailed && result.error == EWOULDBLOCK) {
        text = QStringLiteral("The data file \"%1\" is in use by another program. Nothing was "
                              "stored; try again in a moment.")
                   .arg(file);
    } else if (result.problem == P::RollbackFailed) {
        const QString undoFile = result.undoFile == F::Reverse ? reverseTyped : forwardTyped;
        text = QStringLiteral("The data file \"%1\" could not be written: %2. The part of the "
                              "entry already written to \"%3\" could not be removed (%4); "
                              "Vocaboro will remove it the next time it opens this data folder.")
                   .arg(file, reasonOf(result.error), undoFile, reasonOf(result.undoError));
    } else {
        text = QStringLiteral("The data file \"%1\" could not be written: %2. Nothing was stored.")
                   .arg(file, reasonOf(result.error));
    }
    if (result.error == EACCES || result.error == EPERM || result.error == EROFS)
        text += QStringLiteral(
                    " To keep your own words, start Vocaboro again and type a folder of your "
                    "own at the prompt, such as %1/thai/, with a copy of the data files in it.")
                    .arg(QDir::homePath());
    return text;
}

void Form1::reportRecovery(const datafiles::RecoveryResult& recovery) {
    QString text;
    if (recovery.error == datafiles::kErrorChangedMeanwhile) {
        text = QStringLiteral("Vocaboro stopped before it had finished writing the entry %1, and "
                              "another program has changed \"%2\" since. That file was left as "
                              "it is: please check its last line.")
                   .arg(entryName(recovery), QString::fromStdString(recovery.errorFile.string()));
    } else if (recovery.undone) {
        text = QStringLiteral("Vocaboro stopped before it had finished writing the entry %1. The "
                              "part already stored has been removed, so the entry is in neither "
                              "data file: write it again to keep it.")
                   .arg(entryName(recovery));
    }
    if (!text.isEmpty())
        dialogs_.messageBox(text, {platform::Buttons::Ok, platform::Icon::Information},
                            QStringLiteral("vocaboro"));
}

} // namespace vocaboro
