#include "entry_check.h"

#include "datafiles/file_naming.h"
#include "platform/text.h"

#include <QCoreApplication>

namespace vocaboro {
namespace {

struct CheckText {
    Q_DECLARE_TR_FUNCTIONS(vocaboro::CheckText)
};

enum Box { ItalianWord, Attribute, Thai, Pronunciation, Note, ThaiSound, ItalianSound };

// A value the files cannot hold; empty when all is well.
QString unrepresentable(const EntryTexts& texts) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const QString& text = texts[i];
        const EntryBox& box = kEntryBoxes[i];
        if (text.contains(QLatin1Char('"')))
            return boxName(box) + CheckText::tr(": no \" allowed");
        if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
            return boxName(box) + CheckText::tr(": no line breaks");
        if (box.thai ? !platform::toThai(text) : !platform::toLatin(text))
            return boxName(box) + (box.thai
                                       ? CheckText::tr(": Thai script or unaccented letters only")
                                       : CheckText::tr(": letter not allowed"));
    }
    return {};
}

std::string firstByte(const QString& text) {
    return platform::toLatin(text.left(1)).value_or(std::string());
}

} // namespace

QString boxName(const EntryBox& box) {
    return QString::fromLatin1(box.caption).remove(QLatin1Char(':')).trimmed();
}

CheckResult checkEntry(const EntryTexts& texts) {
    CheckResult result;
    result.texts = texts;
    if (texts[ItalianWord].isEmpty()) {
        result.failure = QStringLiteral("missing Italy word");
        return result;
    }
    if (texts[Pronunciation].isEmpty()) {
        result.failure = QStringLiteral("missing Thai pronunciation");
        return result;
    }
    // Both files are chosen before either is tested: two bad initials report the Italian one.
    const auto forward = datafiles::forwardFileForWriting(firstByte(texts[ItalianWord]));
    const auto reverse = datafiles::reverseFile(firstByte(texts[Pronunciation]));
    if (!forward) {
        result.failure = QStringLiteral("Error word Italy");
        return result;
    }
    if (!reverse) {
        result.failure = QStringLiteral("Error word Thai");
        return result;
    }
    if (QString problem = unrepresentable(texts); !problem.isEmpty()) {
        result.failure = std::move(problem);
        return result;
    }
    result.forwardFile = QString::fromStdString(*forward);
    result.reverseFile = QString::fromStdString(*reverse);
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (result.texts[i].isEmpty() && kEntryBoxes[i].marker)
            result.texts[i] = QLatin1String(kEntryBoxes[i].marker);
    auto latin = [&](Box box) { return *platform::toLatin(result.texts[box]); };
    result.record = {latin(ItalianWord),
                     latin(Pronunciation),
                     latin(Attribute),
                     latin(Note),
                     *platform::toThai(result.texts[Thai]),
                     latin(ThaiSound),
                     latin(ItalianSound)};
    return result;
}

} // namespace vocaboro
