#include "word_history.h"

#include "platform/text.h"

#include <QCoreApplication>

namespace ripasso {
namespace {

struct HistoryText {
    Q_DECLARE_TR_FUNCTIONS(ripasso::HistoryText)
};

QString word(const std::string& headword, const std::string& pronunciation) {
    return QStringLiteral("\"%1\" (%2)")
        .arg(platform::fromLatin(headword), platform::fromLatin(pronunciation));
}

QString oldWord(const PendingMove& move) {
    return word(move.oldHeadword, move.oldPronunciation);
}

QString newWord(const PendingMove& move) {
    return word(move.newHeadword, move.newPronunciation);
}

} // namespace

QString moveText(const PendingMove& move, const MoveResult& result) {
    if (result.kept == 0)
        return {};
    return HistoryText::tr("%1 already had review answers of its own, so both histories were "
                           "kept: the new word keeps its own, and those of %2 stay under the old "
                           "word, unused.")
        .arg(newWord(move), oldWord(move));
}

std::vector<QString> settlePendingMoves(ProgressStore& store, const QString& folder,
                                        const PathOf& pathOf, const datafiles::FileAccess& access,
                                        bool& failed) {
    failed = false;
    std::vector<QString> told;
    std::vector<PendingMove> moves;
    if (!store.pendingMoves(folder.toStdString(), moves)) {
        failed = true;
        return told;
    }
    if (moves.empty())
        return told;
    // Which of the words the files hold now.
    std::vector<std::pair<bool, bool>> held(moves.size()); // old, new
    const std::vector<std::string> problems =
        readForwardRecords(pathOf, access, [&](const datafiles::RecordView& record) {
            if (record.isCrossReference())
                return;
            for (std::size_t i = 0; i < moves.size(); ++i) {
                const PendingMove& m = moves[i];
                if (record.headword() == m.oldHeadword &&
                    record.counterpart() == m.oldPronunciation)
                    held[i].first = true;
                if (record.headword() == m.newHeadword &&
                    record.counterpart() == m.newPronunciation)
                    held[i].second = true;
            }
        });
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const PendingMove& move = moves[i];
        const auto [oldThere, newThere] = held[i];
        if (newThere && !oldThere) {
            const std::optional<MoveResult> result = store.finishMove(move.id);
            if (!result) {
                failed = true;
                return told;
            }
            QString text = HistoryText::tr("Ripasso stopped after changing %1 to %2 in the data "
                                           "files and before its review answers followed it; "
                                           "they follow it now.")
                               .arg(oldWord(move), newWord(move));
            if (const QString kept = moveText(move, *result); !kept.isEmpty())
                text = HistoryText::tr("Ripasso stopped after changing %1 to %2 in the data "
                                       "files and before its review answers followed it. ")
                           .arg(oldWord(move), newWord(move)) +
                       kept;
            told.push_back(text);
            continue;
        }
        if (!problems.empty()) {
            // A file that cannot be read now may hold either word: decided at a later start.
            told.push_back(HistoryText::tr("Ripasso stopped while changing %1 to %2, and not "
                                           "every data file can be read now: the review answers "
                                           "stay with %1 until Ripasso can tell whether the "
                                           "change was made.")
                               .arg(oldWord(move), newWord(move)));
            continue;
        }
        if (!store.dropMove(move.id)) {
            failed = true;
            return told;
        }
        if (oldThere && !newThere)
            told.push_back(HistoryText::tr("Ripasso stopped before changing %1 to %2: the data "
                                           "files still hold %1, and its review answers stay "
                                           "with it.")
                               .arg(oldWord(move), newWord(move)));
        else if (oldThere)
            told.push_back(HistoryText::tr("Ripasso stopped while changing %1 to %2, and the data "
                                           "files now hold both words: the review answers stay "
                                           "with %1.")
                               .arg(oldWord(move), newWord(move)));
        else
            told.push_back(HistoryText::tr("Ripasso stopped while changing %1 to %2, and the data "
                                           "files now hold neither word: the review answers stay "
                                           "under %1, unused.")
                               .arg(oldWord(move), newWord(move)));
    }
    return told;
}

} // namespace ripasso
