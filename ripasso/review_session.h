#pragma once
// A day's review: the cards due, then the new ones. A card answered Again goes back into the
// queue a few cards later, so that it comes again in the same session; its next due day is
// kept from that answer until it is answered otherwise.

#include "word_cards.h"

#include <cstddef>
#include <deque>
#include <vector>

namespace ripasso {

class ReviewSession {
public:
    // How many other cards come before a card answered Again comes back.
    static constexpr std::size_t kAgainGap = 4;

    ReviewSession(std::vector<WordCard> cards, int today);

    bool finished() const { return queue_.empty(); }
    const WordCard& current() const { return cards_[queue_.front()]; }
    std::size_t left() const { return queue_.size(); }
    std::size_t answered() const { return answered_; }
    int today() const { return today_; }

    // The card as it would be after `grade` on the current card, for saving first.
    StoredCard preview(Grade grade) const;
    // Takes the answer that `preview` gave and moves on.
    void answer(Grade grade, const StoredCard& saved);

private:
    std::vector<WordCard> cards_;
    std::deque<std::size_t> queue_;
    int today_;
    std::size_t answered_ = 0;
};

} // namespace ripasso
