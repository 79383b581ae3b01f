#pragma once
// The review history follows a word that the Words page changes: a change of its head word
// or pronunciation is announced to the progress before the files change (a pending move),
// and made right after; a move left pending by a program killed in between is settled the
// next time the folder's cards are read, from what the files hold.

#include "forward_records.h"
#include "progress_store.h"

#include <QString>

#include <vector>

namespace ripasso {

// What finishing a move did, for the user; empty when there is nothing to tell (the cards
// simply followed the word).
QString moveText(const PendingMove& move, const MoveResult& result);

// Settles the pending moves of `folder` (typed): finished when the files hold the new word and
// not the old one, dropped when they still hold the old one (or neither, or both). One sentence
// each of what became of them; `failed` when the progress could not be read or written.
std::vector<QString> settlePendingMoves(ProgressStore& store, const QString& folder,
                                        const PathOf& pathOf, const datafiles::FileAccess& access,
                                        bool& failed);

} // namespace ripasso
