#pragma once
// The review of the user's words: the front of a card, Space for its back, then the keys 1 to
// 4 (Again, Hard, Good, Easy) grade it; each answer is saved before the next card shows.
// Space (or Enter) on the back grades Good, since the focus is then on that button.
// With typed answers the front holds a box for the answer: Enter shows the back with the typed
// letters set against the answer, and the focus on the grade their nearness proposes.
// The Thai side of a card is said as it shows (the front of a Thai to Italian card, the back of
// an Italian to Thai one): the word's own recording when its record names one, else the
// synthetic voice; S, or the button beside the card, says it again. What could not be said is
// a line on the card, told to screen readers, never a box in the middle of the review.

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
    // Where the words' recordings are: the words' folder as typed.
    void setSoundFolder(const QString& folder) { soundFolder_ = folder; }
    // Whether the Thai words are said, from the next card on.
    void setSayWords(bool on) { sayWords_ = on; }
    // The audio device cannot play: told on the card, once.
    void tellSpeechFailure(const QString& message);
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
    // Whether the card's Thai side is showing: its front or its back, by its direction.
    bool thaiShowing() const;
    // Says the Thai of the card shown, when it is showing and the words are said.
    void sayThai();

    Links links_;
    std::optional<ReviewSession> session_;
    bool backShown_ = false;
    bool typedAnswers_ = false;
    bool typing_ = false; // the session's answers are typed
    // The answers of the session's cards by their front: every answer of a front is accepted.
    std::map<std::string, std::vector<std::string>> answersByFront_;
    PathOf pathOf_;
    QString soundFolder_;
    bool sayWords_ = true;

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
    QLabel* speechNote_ = nullptr; // what could not be said
    platform::MarkedButton* sayAgainButton_ = nullptr;
    platform::MarkedButton* showButton_ = nullptr;
    std::array<platform::MarkedButton*, 4> grades_{};
    platform::MarkedButton* stopButton_ = nullptr;
};

// "1 day", "12 days"
QString daysText(int days);

} // namespace ripasso
