#include "review_session.h"

#include <algorithm>

namespace ripasso {

ReviewSession::ReviewSession(std::vector<WordCard> cards, int today)
    : cards_(std::move(cards)), today_(today) {
    for (std::size_t i = 0; i < cards_.size(); ++i)
        queue_.push_back(i);
}

StoredCard ReviewSession::preview(Grade grade) const {
    const WordCard& card = current();
    return {card.key, answerCard(card.state, today_, grade)};
}

void ReviewSession::answer(Grade grade, const StoredCard& saved) {
    const std::size_t index = queue_.front();
    queue_.pop_front();
    cards_[index].state = saved.state;
    ++answered_;
    if (grade == Grade::Again)
        queue_.insert(queue_.begin() +
                          static_cast<std::ptrdiff_t>(std::min(kAgainGap, queue_.size())),
                      index);
}

} // namespace ripasso
