#pragma once
// The letter drills' page: a question with four choices (three for the class drill), answered
// by the keys 1 to 4 or a click; the right answer shows at once, with the letter's sound;
// Enter or Space goes on. After the round's last question, the letters missed.

#include "letter_drill.h"
#include "links.h"

#include <QWidget>

#include <array>
#include <vector>

class QLabel;
class QListWidget;
class QStackedWidget;

namespace platform {
class MarkedButton;
}

namespace ripasso {

class DrillPage : public QWidget {
    Q_OBJECT
public:
    explicit DrillPage(Links links, QWidget* parent = nullptr);

    // Starts a round of `kind`; the sounds are looked for in `soundFolder` (a typed folder),
    // and a missing one is told once per program run.
    void start(DrillKind kind, const QString& soundFolder);
    // The choice at `index` (0 to 3) for the question shown; nothing once it is answered.
    void answer(int index);
    // The next question, or the round's end.
    void next();
    // Back to the home page.
    void stop();

    int questionNumber() const { return current_ + 1; }
    int rightAnswers() const { return right_; }
    const std::vector<DrillQuestion>& round() const { return round_; }
    bool answered() const { return answered_; }

signals:
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildQuestionPanel(QWidget* panel);
    void buildResultPanel(QWidget* panel);
    void showQuestion();
    void showResult();
    void playLetter(int number);
    bool hasSound(int number) const;
    void checkSounds();
    QString choiceText(const DrillQuestion& question, int index) const;
    void loadScores();

    Links links_;
    DrillKind kind_ = DrillKind::Sound;
    DrillMaker maker_;
    QString soundFolder_;
    std::vector<LetterScore> scores_;
    std::vector<DrillQuestion> round_;
    std::vector<int> missed_; // index of the question, with the choice picked
    std::vector<int> picked_;
    int current_ = 0;
    int right_ = 0;
    bool answered_ = false;
    bool soundTold_ = false;
    bool saveTold_ = false;

    QStackedWidget* panels_ = nullptr;
    QLabel* drillHeading_ = nullptr;
    QLabel* questionCount_ = nullptr;
    QLabel* promptLetter_ = nullptr;
    QLabel* promptText_ = nullptr;
    platform::MarkedButton* playButton_ = nullptr;
    std::array<platform::MarkedButton*, 4> answers_{};
    QLabel* feedback_ = nullptr;
    platform::MarkedButton* nextButton_ = nullptr;
    platform::MarkedButton* stopButton_ = nullptr;
    QLabel* resultSummary_ = nullptr;
    QListWidget* missedList_ = nullptr;
    platform::MarkedButton* againButton_ = nullptr;
    platform::MarkedButton* backButton_ = nullptr;
};

// The kind's title, "Hear a letter, pick it".
QString drillTitle(DrillKind kind);

} // namespace ripasso
