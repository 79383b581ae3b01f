#include "review_page.h"

#include "typed_answer.h"

#include "datafiles/path_mapping.h"
#include "datafiles/sound_files.h"
#include "platform/fonts.h"
#include "platform/spoken_message.h"
#include "platform/text.h"
#include "platform/word_speech.h"
#include "platform/wrap_button.h"
#include "platform/wrapping_label.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace ripasso {
namespace {

constexpr std::array<const char*, 4> kGradeNames = {
    QT_TRANSLATE_NOOP("ripasso::ReviewPage", "Again"),
    QT_TRANSLATE_NOOP("ripasso::ReviewPage", "Hard"),
    QT_TRANSLATE_NOOP("ripasso::ReviewPage", "Good"),
    QT_TRANSLATE_NOOP("ripasso::ReviewPage", "Easy")};
constexpr std::array<const char*, 4> kGradeObjects = {"gradeAgain", "gradeHard", "gradeGood",
                                                      "gradeEasy"};

QString latin(const std::string& bytes) {
    return platform::fromLatin(bytes);
}

// What the learner typed as code page 1252 bytes, a character the code page lacks as '?'.
std::string typedBytes(const QString& text) {
    if (std::optional<std::string> bytes = platform::toLatin(text))
        return *bytes;
    std::string bytes;
    for (const QChar c : text)
        bytes += platform::toLatin(QString(c)).value_or("?");
    return bytes;
}

// The card's front, by which the answers of the session's cards are gathered.
std::string frontOf(const WordCard& card) {
    return card.key.direction == CardDirection::ItalianToThai
               ? "I" + card.key.headword
               : "T" + card.key.pronunciation + '\t' + card.thai;
}

const std::string& answerOf(const WordCard& card) {
    return card.key.direction == CardDirection::ItalianToThai ? card.key.pronunciation
                                                              : card.key.headword;
}

// The typed letters coloured against the answer: right, near (letter case or accent), wrong,
// and the answer's letters that were left out.
QString coloured(const std::vector<LetterStep>& steps) {
    QString html;
    for (const LetterStep& step : steps) {
        const bool missing = step.op == LetterOp::Missing;
        const char shown = missing ? step.expected : step.typed;
        // A space added or left out shows as a mark of its own.
        const QString text = shown == ' ' && step.op != LetterOp::Same
                                 ? QStringLiteral("\u2423")
                                 : platform::fromLatin(std::string_view(&shown, 1)).toHtmlEscaped();
        switch (step.op) {
        case LetterOp::Same:
            html += QStringLiteral("<span style=\"color: #1b5e20;\">%1</span>").arg(text);
            break;
        case LetterOp::Folded:
            html += QStringLiteral("<span style=\"color: #9a5b00;\"><u>%1</u></span>").arg(text);
            break;
        case LetterOp::Changed:
        case LetterOp::Swapped:
            html += QStringLiteral("<span style=\"color: #b71c1c;\"><u>%1</u></span>").arg(text);
            break;
        case LetterOp::Added:
            html += QStringLiteral("<span style=\"color: #b71c1c;\"><s>%1</s></span>").arg(text);
            break;
        case LetterOp::Missing:
            html += QStringLiteral("<span style=\"color: #757575; background: #eeeeee;\">"
                                   "<u>%1</u></span>")
                        .arg(text);
            break;
        }
    }
    return html;
}

// What differs, as the sentence tells it.
QString differenceText(const AnswerComparison& c) {
    switch (c.difference) {
    case AnswerDifference::None:
        return ReviewPage::tr("right");
    case AnswerDifference::LetterCase:
        return ReviewPage::tr("only the letter case differs");
    case AnswerDifference::Accents:
        return c.accents == 1 ? ReviewPage::tr("an accent differs")
                              : ReviewPage::tr("%1 accents differ").arg(c.accents);
    case AnswerDifference::DoubledVowel:
        return ReviewPage::tr("a vowel's length differs");
    case AnswerDifference::LetterAdded:
        return ReviewPage::tr("one letter too many");
    case AnswerDifference::LetterMissing:
        return ReviewPage::tr("one letter is missing");
    case AnswerDifference::LetterChanged:
        return ReviewPage::tr("one letter differs");
    case AnswerDifference::LettersSwapped:
        return ReviewPage::tr("two letters are swapped");
    case AnswerDifference::Far:
    case AnswerDifference::Empty:
        break;
    }
    return ReviewPage::tr("it differs");
}

} // namespace

QString daysText(int days) {
    return days == 1 ? ReviewPage::tr("1 day") : ReviewPage::tr("%1 days").arg(days);
}

ReviewPage::ReviewPage(Links links, QWidget* parent) : QWidget(parent), links_(std::move(links)) {
    setObjectName(QStringLiteral("reviewPage"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    reviewHeading_ = makeLabel(this, "reviewHeading", tr("Review"));
    reviewHeading_->setText(tr("Your words"));
    reviewHeading_->setFont(platform::makeFont(platform::kSansFont, 14, true));
    cardsLeft_ = makeLabel(this, "cardsLeft", tr("Cards left"));
    top->addWidget(reviewHeading_, 1);
    top->addWidget(cardsLeft_);
    layout->addLayout(top);

    // The card: its front, and its back below a line once it is shown.
    auto* card = new QFrame(this);
    card->setObjectName(QStringLiteral("card"));
    card->setAccessibleName(tr("Card"));
    card->setStyleSheet(QStringLiteral("QFrame#card { background: white; border: 1px solid "
                                       "#9e9e9e; border-radius: 8px; } QLabel { color: black; }"));
    auto* cardLayout = new QVBoxLayout(card);
    cardDirection_ = makeLabel(card, "cardDirection", tr("Direction of the card"));
    cardDirection_->setStyleSheet(QStringLiteral("color: #5d4037;"));
    frontText_ = makeLabel(card, "frontText", tr("Front of the card"));
    frontText_->setFont(platform::makeFont(platform::kThaiButtonFont, 24, true));
    frontThai_ = makeLabel(card, "frontThai", tr("Thai script on the front"));
    frontThai_->setFont(platform::makeFont(platform::kThaiButtonFont, 32));
    for (QLabel* label : {cardDirection_, frontText_, frontThai_}) {
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        cardLayout->addWidget(label);
    }
    answerEdit_ = new QLineEdit(card);
    answerEdit_->setObjectName(QStringLiteral("answerEdit"));
    answerEdit_->setAccessibleName(tr("Your answer"));
    answerEdit_->setFont(platform::makeFont(platform::kThaiButtonFont, 20));
    answerEdit_->setAlignment(Qt::AlignCenter);
    answerEdit_->setStyleSheet(QStringLiteral("color: black; background: white;"));
    answerEdit_->hide();
    cardLayout->addWidget(answerEdit_);
    connect(answerEdit_, &QLineEdit::returnPressed, this, &ReviewPage::showBack);
    back_ = new QWidget(card);
    back_->setObjectName(QStringLiteral("cardBack"));
    back_->setAccessibleName(tr("Back of the card"));
    auto* backLayout = new QVBoxLayout(back_);
    auto* rule = new QFrame(back_);
    rule->setObjectName(QStringLiteral("rule"));
    rule->setFrameShape(QFrame::HLine);
    backLayout->addWidget(rule);
    // With typed answers: the letters typed, coloured against the answer, and what differs.
    typedLetters_ = makeLabel(back_, "typedLetters", tr("Your answer against the answer"));
    typedLetters_->setTextFormat(Qt::RichText);
    typedLetters_->setFont(platform::makeFont(platform::kThaiButtonFont, 20, true));
    typedLetters_->setAlignment(Qt::AlignCenter);
    typedLetters_->setWordWrap(true);
    typedLetters_->hide();
    backLayout->addWidget(typedLetters_);
    typedNote_ = makeLabel(back_, "typedNote", tr("How near your answer is"));
    platform::markAsMessage(typedNote_);
    typedNote_->setAlignment(Qt::AlignCenter);
    typedNote_->setWordWrap(true);
    typedNote_->hide();
    backLayout->addWidget(typedNote_);
    backText_ = makeLabel(back_, "backText", tr("Answer"));
    backText_->setFont(platform::makeFont(platform::kThaiButtonFont, 22, true));
    backThai_ = makeLabel(back_, "backThai", tr("Thai script"));
    backThai_->setFont(platform::makeFont(platform::kThaiButtonFont, 32));
    for (QLabel* label : {backText_, backThai_}) {
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        backLayout->addWidget(label);
    }
    backDetails_ = new platform::WrappingLabel(back_);
    backDetails_->setObjectName(QStringLiteral("backDetails"));
    backDetails_->setAccessibleDescription(tr("Attribute and note"));
    backDetails_->setTextFormat(Qt::PlainText);
    backDetails_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    backLayout->addWidget(backDetails_);
    cardLayout->addWidget(back_);
    speechNote_ = makeLabel(card, "speechNote", tr("What could not be said"));
    platform::markAsMessage(speechNote_);
    speechNote_->setStyleSheet(QStringLiteral("color: #5d4037;"));
    speechNote_->setAlignment(Qt::AlignCenter);
    speechNote_->setWordWrap(true);
    speechNote_->hide();
    cardLayout->addWidget(speechNote_);
    layout->addWidget(card);
    layout->addStretch(1);

    showButton_ = makeButton(this, "showButton", tr("&Show the answer (Space)"));
    layout->addWidget(showButton_, 0, Qt::AlignCenter);
    sayAgainButton_ =
        makeButton(this, "sayAgainButton", tr("Say again (S)"), tr("Say the Thai word again (S)"));
    sayAgainButton_->hide();
    layout->addWidget(sayAgainButton_, 0, Qt::AlignCenter);
    connect(sayAgainButton_, &QPushButton::clicked, this, &ReviewPage::sayThai);
    auto* gradeRow = new QHBoxLayout;
    for (std::size_t i = 0; i < grades_.size(); ++i) {
        grades_[i] = makeButton(this, kGradeObjects[i], QString());
        grades_[i]->setMinimumHeight(44);
        const auto grade = static_cast<Grade>(i + 1);
        connect(grades_[i], &QPushButton::clicked, this, [this, grade] { this->grade(grade); });
        gradeRow->addWidget(grades_[i]);
    }
    layout->addLayout(gradeRow);
    auto* bottom = new QHBoxLayout;
    stopButton_ = makeButton(this, "stopReviewButton", tr("Stop for now (Esc)"));
    bottom->addWidget(stopButton_);
    bottom->addStretch(1);
    layout->addLayout(bottom);
    connect(showButton_, &QPushButton::clicked, this, &ReviewPage::showBack);
    connect(stopButton_, &QPushButton::clicked, this, &ReviewPage::stop);
}

void ReviewPage::start(std::vector<WordCard> cards) {
    typing_ = typedAnswers_;
    answersByFront_.clear();
    if (typing_)
        for (const WordCard& card : cards) {
            std::vector<std::string>& answers = answersByFront_[frontOf(card)];
            if (std::find(answers.begin(), answers.end(), answerOf(card)) == answers.end())
                answers.push_back(answerOf(card));
        }
    showButton_->setText(typing_ ? tr("&Show the answer (Enter)") : tr("&Show the answer (Space)"));
    session_.emplace(std::move(cards), links_.today());
    if (session_->finished()) {
        emit closed(0);
        return;
    }
    showCard();
}

void ReviewPage::showCard() {
    const WordCard& card = session_->current();
    backShown_ = false;
    const QString italian = latin(card.key.headword);
    const QString pronunciation = latin(card.key.pronunciation);
    const QString thai = platform::fromThai(card.thai);
    QStringList details;
    if (!card.attribute.empty() || !card.note.empty())
        details << (latin(card.attribute) + QLatin1Char(' ') + latin(card.note)).trimmed();
    for (const std::string& line : card.more)
        details << latin(line);
    const bool toThai = card.key.direction == CardDirection::ItalianToThai;
    cardDirection_->setText(toThai ? tr("Italiano → Thai") : tr("Thai → Italiano"));
    frontText_->setText(toThai ? italian : pronunciation);
    frontThai_->setText(toThai ? QString() : thai);
    frontThai_->setVisible(!toThai && !thai.isEmpty());
    backText_->setText(toThai ? pronunciation : italian);
    backThai_->setText(toThai ? thai : QString());
    backThai_->setVisible(toThai && !thai.isEmpty());
    backDetails_->setText(details.join(QLatin1Char('\n')));
    backDetails_->setVisible(!details.isEmpty());
    // The focus is on a button while the card shows: the button tells the side it uncovers.
    const QString spokenSeparator = QStringLiteral(", ");
    QStringList front{cardDirection_->text(), frontText_->text()};
    if (!frontThai_->text().isEmpty())
        front << frontThai_->text();
    showButton_->setAccessibleDescription(front.join(spokenSeparator));
    QStringList back{backText_->text()};
    if (!backThai_->text().isEmpty())
        back << backThai_->text();
    for (auto* button : grades_)
        button->setAccessibleDescription(QString());
    grades_[2]->setAccessibleDescription((back + details).join(spokenSeparator));
    back_->setVisible(false);
    for (std::size_t i = 0; i < grades_.size(); ++i) {
        const auto grade = static_cast<Grade>(i + 1);
        const int days = session_->preview(grade).state.dueDay - session_->today();
        const QString label = QString::number(i + 1) + QLatin1Char(' ') + tr(kGradeNames[i]);
        // A card answered Again comes back later in this session (and is due the next day).
        const bool again = grade == Grade::Again;
        grades_[i]->setText(label + QStringLiteral(" · ") +
                            (again ? tr("this session") : daysText(days)));
        grades_[i]->setAccessibleName(
            label + (again ? tr(", again in this session") : tr(", again in ") + daysText(days)));
        grades_[i]->setVisible(false);
    }
    const std::size_t left = session_->left();
    cardsLeft_->setText(left == 1 ? tr("1 card left") : tr("%1 cards left").arg(left));
    showButton_->setVisible(true);
    typedLetters_->hide();
    platform::setMessage(typedNote_, QString());
    answerEdit_->clear();
    answerEdit_->setReadOnly(false);
    answerEdit_->setVisible(typing_);
    platform::setMessage(speechNote_, QString());
    sayAgainButton_->setVisible(sayWords_ && !toThai);
    if (typing_) {
        // The box has the focus: it tells the front, and what to type.
        const QString asked = toThai ? tr("type the pronunciation") : tr("type the Italian word");
        answerEdit_->setPlaceholderText(toThai ? tr("The pronunciation") : tr("The Italian word"));
        answerEdit_->setAccessibleDescription((front << asked).join(spokenSeparator));
        answerEdit_->setFocus(Qt::OtherFocusReason);
    } else {
        showButton_->setFocus(Qt::OtherFocusReason);
    }
    sayThai();
}

void ReviewPage::showBack() {
    if (!session_ || session_->finished() || backShown_)
        return;
    backShown_ = true;
    back_->setVisible(true);
    for (auto* button : grades_)
        button->setVisible(true);
    showButton_->setVisible(false);
    if (typing_)
        showComparison();
    else
        grades_[2]->setFocus(Qt::OtherFocusReason); // Good
    sayAgainButton_->setVisible(sayWords_ && thaiShowing());
    sayThai();
}

bool ReviewPage::thaiShowing() const {
    if (!session_ || session_->finished())
        return false;
    return (session_->current().key.direction == CardDirection::ItalianToThai) == backShown_;
}

void ReviewPage::sayThai() {
    if (!sayWords_ || !thaiShowing())
        return;
    const WordCard& card = session_->current();
    // A word with neither Thai script nor a recording has nothing to say, and no need to
    // tell it.
    if (card.thai.empty() && datafiles::soundField(card.thaiSound) == datafiles::SoundField::None)
        return;
    const platform::WordSaid said =
        platform::sayThaiWord(links_.speech, datafiles::PathMapper(links_.driveRoot), soundFolder_,
                              card.thaiSound, card.thai);
    platform::setMessage(speechNote_, platform::problemsOf(said).join(QLatin1Char(' ')));
}

void ReviewPage::tellSpeechFailure(const QString& message) {
    platform::setMessage(speechNote_, message);
}

void ReviewPage::showComparison() {
    const WordCard& card = session_->current();
    const bool toThai = card.key.direction == CardDirection::ItalianToThai;
    // The card's own answer first, then those of the session's other cards of its front.
    std::vector<std::string> accepted{answerOf(card)};
    for (const std::string& answer : answersByFront_[frontOf(card)])
        if (answer != accepted.front())
            accepted.push_back(answer);
    const std::string typed = typedBytes(answerEdit_->text());
    AnswerComparison c = compareAnswer(typed, accepted, toThai);
    // Not the very answer of a card of the session: those of the folder's other records of
    // the front count too, the cards of today's session or not.
    if (c.difference != AnswerDifference::None && c.difference != AnswerDifference::Empty &&
        pathOf_) {
        const std::size_t before = accepted.size();
        for (std::string& answer : folderAnswers(card, pathOf_, links_.fileAccess))
            if (std::find(accepted.begin(), accepted.end(), answer) == accepted.end())
                accepted.push_back(std::move(answer));
        if (accepted.size() > before)
            c = compareAnswer(typed, accepted, toThai);
    }
    const QString expected = latin(accepted[c.matched]);
    QString told = c.difference == AnswerDifference::Empty
                       ? tr("You typed nothing; the answer is %1.").arg(expected)
                       : tr("You typed %1; the answer is %2: %3.")
                             .arg(answerEdit_->text().trimmed(), expected, differenceText(c));
    if (c.matched > 0)
        told += QLatin1Char(' ') + tr("It is the answer of another card of this front.");
    const auto proposed = static_cast<std::size_t>(c.proposed) - 1;
    told += QLatin1Char(' ') + tr("Proposed: %1.").arg(tr(kGradeNames[proposed]));
    answerEdit_->setReadOnly(true);
    typedLetters_->setText(coloured(c.steps));
    typedLetters_->setAccessibleName(answerEdit_->text().trimmed());
    typedLetters_->setVisible(c.difference != AnswerDifference::Empty);
    platform::setMessage(typedNote_, told);
    // The proposed grade has the focus and tells the back, as Good does without typing.
    const QString backTold = grades_[2]->accessibleDescription();
    for (std::size_t i = 0; i < grades_.size(); ++i)
        grades_[i]->setAccessibleDescription(i == proposed ? backTold : QString());
    grades_[proposed]->setFocus(Qt::OtherFocusReason);
}

bool ReviewPage::grade(Grade grade) {
    if (!session_ || session_->finished() || !backShown_)
        return false;
    const StoredCard answered = session_->preview(grade);
    if (!links_.store.saveAnswer(answered, grade)) {
        links_.dialogs.messageBox(QString::fromStdString(links_.store.lastError().message) +
                                      tr(" This answer was not saved, and the review stops here."),
                                  {platform::Buttons::Ok, platform::Icon::Stop}, kProgramTitle);
        stop();
        return false;
    }
    session_->answer(grade, answered);
    if (session_->finished())
        stop();
    else
        showCard();
    return true;
}

void ReviewPage::stop() {
    if (sayWords_ && session_)
        links_.speech.stop();
    const std::size_t answered = session_ ? session_->answered() : 0;
    session_.reset();
    emit closed(answered);
}

void ReviewPage::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key >= Qt::Key_1 && key <= Qt::Key_4 && backShown_)
        grade(static_cast<Grade>(key - Qt::Key_1 + 1));
    else if (key == Qt::Key_Space && !backShown_)
        showBack();
    else if (key == Qt::Key_Escape)
        stop();
    else if (key == Qt::Key_S && event->modifiers() == Qt::NoModifier && thaiShowing())
        sayThai();
    else
        QWidget::keyPressEvent(event);
}

} // namespace ripasso
