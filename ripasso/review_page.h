#pragma once
// The review of the user's words: the front of a card, Space for its back, then the keys 1 to
// 4 (Again, Hard, Good, Easy) grade it; each answer is saved before the next card shows.
// Space (or Enter) on the back grades Good, since the focus is then on that button.
// With typed answers the front holds a box for the answer: Enter shows the back with the typed
// letters set against the answer, and the focus on the grade their nearness proposes.

#include "links.h"
#include "review_session.h"

#include <QWidget>

#include <array>
#include <map>
#include <optional>
#include <string>
#include <utility>

class QLabel;
class QLineEdit;

namespace platform {
class MarkedButton;
class WrappingLabel;
} // namespace platform

namespace ripasso {

class ReviewPage : public QWidget {
    Q_OBJECT
public:
    explicit ReviewPage(Links links, QWidget* parent = nullptr);

    // Whether the answers are typed, from the next start on.
    void setTypedAnswers(bool typed) { typedAnswers_ = typed; }
    // Where the folder's files are, for the answers of the cards not in the session.
    void setFolder(PathOf pathOf) { pathOf_ = std::move(pathOf); }
    void start(std::vector<WordCard> cards);
    void showBack();
    // Saves the grade of the card shown and shows the next; false when it could not be saved
    // (told, and the review ends).
    bool grade(Grade grade);
    void stop();

    const ReviewSession* session() const { return session_ ? &*session_ : nullptr; }
    bool backShown() const { return backShown_; }

signals:
    // The review ended: all answered, stopped, or an answer that could not be saved.
    void closed(std::size_t answered);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showCard();
    // The typed answer set against those the card accepts, shown and told.
    void showComparison();

    Links links_;
    std::optional<ReviewSession> session_;
    bool backShown_ = false;
    bool typedAnswers_ = false;
    bool typing_ = false; // the session's answers are typed
    // The answers of the session's cards by their front: every answer of a front is accepted.
    std::map<std::string, std::vector<std::string>> answersByFront_;
    PathOf pathOf_;

    QLabel* reviewHeading_ = nullptr;
    QLabel* cardsLeft_ = nullptr;
    QLabel* cardDirection_ = nullptr;
    QLabel* frontText_ = nullptr;
    QLabel* frontThai_ = nullptr;
    QLineEdit* answerEdit_ = nullptr;
    QWidget* back_ = nullptr;
    QLabel* typedLetters_ = nullptr;
    QLabel* typedNote_ = nullptr;
    QLabel* backText_ = nullptr;
    QLabel* backThai_ = nullptr;
    platform::WrappingLabel* backDetails_ = nullptr;
    platform::MarkedButton* showButton_ = nullptr;
    std::array<platform::MarkedButton*, 4> grades_{};
    platform::MarkedButton* stopButton_ = nullptr;
};

// "1 day", "12 days"
QString daysText(int days);

} // namespace ripasso
