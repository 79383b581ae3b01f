// The entry check and the write of a new entry into its two data files.

#include "console_window.h"

#include "datafiles/entry_writer.h"
#include "datafiles/file_io.h"
#include "datafiles/record_writer.h"
#include "platform/text.h"
#include "platform/widget_look.h"

#include <QDir>
#include <QLabel>

#include <QLineEdit>
#include <QPushButton>
#include <cerrno>

namespace vocaboro {
namespace {

// The box's label caption without its colon, to name the box in a message.
QString boxName(const QLabel* label) {
    QString name = label->text();
    name.remove(QLatin1Char(':'));
    return name.trimmed();
}

QString reasonOf(int error) {
    return QString::fromStdString(datafiles::describeError(error));
}

QString entryName(const datafiles::RecoveryResult& r) {
    return QStringLiteral("\"%1\" = \"%2\"")
        .arg(platform::fromLatin(r.headword), platform::fromLatin(r.counterpart));
}

} // namespace

QString Form1::writeFailureText(const datafiles::EntryWriteResult& result,
                                const QString& forwardTyped, const QString& reverseTyped) {
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

void Form1::failCheck(const QString& message) {
    // The box grows to the right, over the free console, when a message needs more room.
    platform::setFittedText(Label12, message, platform::Anchor::Left);
    Label12->show();
    checkPassed_ = 0;
    Command3D3->setText(QString());
    Command3D3->hide();
}

// A value the files cannot hold: a double quote (the format has no escape for it), a
// line break, or a character that the field's code set lacks. Empty when all is well.
QString Form1::checkRepresentable() {
    struct Box {
        QLineEdit* edit;
        QLabel* label;
        bool thai;
    };
    const Box boxes[] = {{Text1, Label1, false}, {Text2, Label2, false}, {Text3, Label3, true},
                         {Text4, Label4, false}, {Text5, Label5, false}, {Text6, Label6, false},
                         {Text7, Label7, false}};
    for (const Box& box : boxes) {
        const QString text = box.edit->text();
        const QString name = boxName(box.label);
        if (text.contains(QLatin1Char('"')))
            return name + QStringLiteral(": no \" allowed");
        if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
            return name + QStringLiteral(": no line breaks");
        const bool fits =
            box.thai ? platform::toThai(text).has_value() : platform::toLatin(text).has_value();
        if (!fits)
            return box.thai ? name + QStringLiteral(": Thai script only")
                            : name + QStringLiteral(": letter not allowed");
    }
    return {};
}

void Form1::Command3D5_Click() {
    forwardFile_.clear();
    reverseFile_.clear();
    if (Text1->text().isEmpty()) {
        failCheck(QStringLiteral("missing Italy word"));
        return;
    }
    if (Text4->text().isEmpty()) {
        failCheck(QStringLiteral("missing Thai pronunciation"));
        return;
    }
    const auto firstByte = [](const QString& text) {
        return platform::toLatin(text.left(1)).value_or(std::string());
    };
    const auto forward = datafiles::forwardFileForWriting(firstByte(Text1->text()));
    const auto reverse = datafiles::reverseFile(firstByte(Text4->text()));
    if (!forward) {
        failCheck(QStringLiteral("Error word Italy"));
        return;
    }
    if (!reverse) {
        failCheck(QStringLiteral("Error word Thai"));
        return;
    }
    if (const QString problem = checkRepresentable(); !problem.isEmpty()) {
        failCheck(problem);
        return;
    }
    forwardFile_ = QString::fromStdString(*forward);
    reverseFile_ = QString::fromStdString(*reverse);

    Label12->clear();
    Label12->hide();
    platform::setFittedText(Label9, QStringLiteral("File Italy : ") + forwardFile_);
    platform::setFittedText(Label10, QStringLiteral("File Thai : ") + reverseFile_);
    // Empty optional boxes get their markers, in the kept values and in the boxes.
    const std::pair<QLineEdit*, const char*> markers[] = {{Text2, datafiles::kNoAttribute},
                                                          {Text3, datafiles::kNoThai},
                                                          {Text5, datafiles::kNoNote},
                                                          {Text6, datafiles::kNoSound},
                                                          {Text7, datafiles::kNoSound}};
    for (const auto& [box, marker] : markers)
        if (box->text().isEmpty())
            box->setText(QLatin1String(marker));
    record_.headword = *platform::toLatin(Text1->text());
    record_.counterpart = *platform::toLatin(Text4->text());
    record_.attribute = *platform::toLatin(Text2->text());
    record_.note = *platform::toLatin(Text5->text());
    record_.thai = *platform::toThai(Text3->text());
    record_.thaiSound = *platform::toLatin(Text6->text());
    record_.italianSound = *platform::toLatin(Text7->text());
    checkPassed_ = 1;
    Command3D3->setText(QStringLiteral("Write in the files!"));
    Command3D3->show();
    Command3D3->setFocus(); // Enter or Space now writes
}

void Form1::Command3D3_Click() {
    if (checkPassed_ != 1)
        return;
    const datafiles::DictionaryRecord forward = record_;
    const datafiles::DictionaryRecord reverse = datafiles::reverseOf(record_);
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

    Label11->show();
    Label13->show();
    Command3D6->show();
    Command3D7->show();
    Command3D8->hide();
    const auto joined = [](const QString& file, const datafiles::DictionaryRecord& r) {
        return file + QStringLiteral(":") + platform::fromLatin(r.headword) +
               platform::fromLatin(r.counterpart) + platform::fromLatin(r.attribute) +
               platform::fromLatin(r.note) + platform::fromThai(r.thai) +
               platform::fromLatin(r.thaiSound) + platform::fromLatin(r.italianSound);
    };
    Label11->setText(joined(forwardFile_, forward));
    Label13->setText(joined(reverseFile_, reverse));
    Command3D5->hide();
    Command3D3->hide();
}

} // namespace vocaboro
