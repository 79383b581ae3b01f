#pragma once
// The drills' page: a question with two to four choices, answered by the keys 1 to 4 or a
// click; the right answer shows at once, with its sound where there is one; Enter or Space
// goes on. After the round's last question, the questions missed. The letter drills ask the
// consonants (letter_drill.h); the drills of the script ask vowels, tone marks, the tones of
// syllables, finals and letters that look alike (script_drill.h).

#include "letter_drill.h"
#include "links.h"
#include "script_drill.h"

#include <QWidget>

#include <array>
#include <filesystem>
#include <optional>
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
    // and a missing one is told once per program run. The tone drill asks the syllables of
    // the words in `wordsFolder` (a native path).
    void start(DrillKind kind, const QString& soundFolder,
               const std::filesystem::path& wordsFolder = {});
    // The choice at `index` (0 to 3) for the question shown; nothing once it is answered.
    void answer(int index);
    // The next question, or the round's end.
    void next();
    // Back to the home page.
    void stop();

    DrillKind kind() const { return kind_; }
    int questionNumber() const { return current_ + 1; }
    int rightAnswers() const { return right_; }
    // The round of a letter drill, and of a drill of the script: the other one is empty.
    const std::vector<DrillQuestion>& round() const { return round_; }
    const std::vector<ScriptQuestion>& scriptRound() const { return scriptRound_; }
    bool answered() const { return answered_; }

signals:
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // A question as the page shows and tells it, whichever drill asks it.
    struct Asked {
        int code = 0;                 // the score's key under the drill's number
        QString prompt;               // shown big; empty when the sound is the question
        QString promptName;           // what a screen reader hears of it before the answer
        bool promptIsReading = false; // a reading shown in place of a missing sound
        QString answered;             // shown big once answered
        QString answeredName;
        QString task; // "How does it read?"
        std::array<QString, 4> choices{};
        std::array<QString, 4> choiceNames{};
        bool thaiChoices = false;
        int choiceCount = 4;
        int right = 0;
        QString sound;       // a file of the sound folder, or empty
        bool listen = false; // the sound is the question
        QString answer;      // what was asked with its answer: "ข kô-kài, high class"
        QString rule;        // the tone drill's reason for the tone
    };

    void buildQuestionPanel(QWidget* panel);
    void buildResultPanel(QWidget* panel);
    int roundSize() const;
    Asked askLetter(const DrillQuestion& question) const;
    Asked askScript(const ScriptQuestion& question) const;
    void showQuestion();
    void showResult();
    void play(const QString& file);
    bool hasSound(const QString& file) const;
    void checkSounds();
    void loadScores();

    Links links_;
    DrillKind kind_ = DrillKind::Sound;
    DrillMaker maker_;
    std::optional<ScriptDrillMaker> scriptMaker_;
    std::filesystem::path wordsFolder_;
    QString soundFolder_;
    std::vector<LetterScore> scores_;
    std::vector<DrillQuestion> round_;
    std::vector<ScriptQuestion> scriptRound_;
    Asked asked_;
    QStringList missed_; // each miss: what was asked, its answer and the choice picked
    int current_ = 0;
    int right_ = 0;
    bool answered_ = false;
    bool soundTold_ = false;
    bool vowelSoundTold_ = false;
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
// Whether the drill plays sounds, so that the sound folder is asked before it starts.
bool drillPlaysSounds(DrillKind kind);
// The rule that gives a syllable its tone: "ช้าง: low class + mai tho → high".
QString toneRule(const thaiscript::Syllable& syllable);

} // namespace ripasso
