#include "review_page.h"

#include "platform/fonts.h"
#include "platform/text.h"
#include "platform/wrap_button.h"
#include "platform/wrapping_label.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

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
    back_ = new QWidget(card);
    back_->setObjectName(QStringLiteral("cardBack"));
    back_->setAccessibleName(tr("Back of the card"));
    auto* backLayout = new QVBoxLayout(back_);
    auto* rule = new QFrame(back_);
    rule->setObjectName(QStringLiteral("rule"));
    rule->setFrameShape(QFrame::HLine);
    backLayout->addWidget(rule);
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
    layout->addWidget(card);
    layout->addStretch(1);

    showButton_ = makeButton(this, "showButton", tr("&Show the answer (Space)"));
    layout->addWidget(showButton_, 0, Qt::AlignCenter);
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
    showButton_->setFocus(Qt::OtherFocusReason);
}

void ReviewPage::showBack() {
    if (!session_ || session_->finished() || backShown_)
        return;
    backShown_ = true;
    back_->setVisible(true);
    for (auto* button : grades_)
        button->setVisible(true);
    grades_[2]->setFocus(Qt::OtherFocusReason); // Good
    showButton_->setVisible(false);
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
    else
        QWidget::keyPressEvent(event);
}

} // namespace ripasso
