#include "drill_page.h"

#include "datafiles/path_mapping.h"
#include "platform/fonts.h"
#include "platform/pictures.h"
#include "platform/spoken_message.h"
#include "platform/text.h"
#include "platform/wrap_button.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace ripasso {
namespace {

const alphabet::Consonant& letter(int number) {
    return alphabet::consonant(number);
}

QString thaiLetter(int number) {
    return platform::fromThai(std::string(1, static_cast<char>(letter(number).code)));
}

QString className(int letterClass) {
    switch (static_cast<alphabet::ConsonantClass>(letterClass)) {
    case alphabet::ConsonantClass::Mid:
        return DrillPage::tr("mid class");
    case alphabet::ConsonantClass::High:
        return DrillPage::tr("high class");
    case alphabet::ConsonantClass::Low:
        return DrillPage::tr("low class");
    case alphabet::ConsonantClass::VowelLetter:
        break;
    }
    return DrillPage::tr("vowel letter");
}

// "ข kô-kài, high class"
QString describeLetter(int number) {
    const alphabet::Consonant& c = letter(number);
    return thaiLetter(number) + QLatin1Char(' ') + QString::fromUtf8(c.reading) +
           QStringLiteral(", ") + className(static_cast<int>(c.letterClass));
}

const QString kRightLook = QStringLiteral(
    "QPushButton, QPushButton:disabled { background-color: #1b5e20; color: white; }");
const QString kWrongLook = QStringLiteral(
    "QPushButton, QPushButton:disabled { background-color: #b71c1c; color: white; }");

// "ข KHO KHAI": the letter, and its name for a screen reader's voice.
QString spokenLetter(int number) {
    return thaiLetter(number) + QLatin1Char(' ') + QLatin1String(letter(number).standardName);
}

} // namespace

QString drillTitle(DrillKind kind) {
    switch (kind) {
    case DrillKind::Sound:
        return DrillPage::tr("Hear a letter, pick it");
    case DrillKind::Reading:
        return DrillPage::tr("See a letter, pick its reading");
    case DrillKind::Class:
        return DrillPage::tr("See a letter, pick its class");
    case DrillKind::VowelReading:
        return DrillPage::tr("See a vowel, pick its reading");
    case DrillKind::VowelSound:
        return DrillPage::tr("Hear a vowel, pick it");
    case DrillKind::VowelLength:
        return DrillPage::tr("See a vowel, short or long");
    case DrillKind::ToneMark:
        return DrillPage::tr("See a tone mark, pick its name");
    case DrillKind::Tone:
        return DrillPage::tr("See a syllable, pick its tone");
    case DrillKind::Final:
        return DrillPage::tr("See a final, pick its sound");
    case DrillKind::LookAlike:
        return DrillPage::tr("Letters that look alike");
    }
    return {};
}

DrillPage::DrillPage(Links links, QWidget* parent)
    : QWidget(parent), links_(std::move(links)), maker_(DrillKind::Sound, links_.seed) {
    setObjectName(QStringLiteral("drillPage"));
    auto* layout = new QVBoxLayout(this);
    panels_ = new QStackedWidget(this);
    panels_->setObjectName(QStringLiteral("drillPanels"));
    layout->addWidget(panels_);
    auto* question = new QWidget(panels_);
    question->setObjectName(QStringLiteral("questionPanel"));
    auto* result = new QWidget(panels_);
    result->setObjectName(QStringLiteral("resultPanel"));
    buildQuestionPanel(question);
    buildResultPanel(result);
    panels_->addWidget(question);
    panels_->addWidget(result);
}

void DrillPage::buildQuestionPanel(QWidget* panel) {
    auto* layout = new QVBoxLayout(panel);
    auto* top = new QHBoxLayout;
    drillHeading_ = makeLabel(panel, "drillHeading", tr("Drill"));
    drillHeading_->setFont(platform::makeFont(platform::kSansFont, 14, true));
    questionCount_ = makeLabel(panel, "questionCount", tr("Question"));
    top->addWidget(drillHeading_, 1);
    top->addWidget(questionCount_);
    layout->addLayout(top);

    promptLetter_ = makeLabel(panel, "promptLetter", tr("Letter asked"));
    promptLetter_->setFont(platform::makeFont(platform::kThaiButtonFont, 60));
    promptLetter_->setAlignment(Qt::AlignCenter);
    promptLetter_->setMinimumHeight(120);
    layout->addWidget(promptLetter_);
    playButton_ = makeButton(panel, "playButton", tr("&Play the sound again (P)"));
    layout->addWidget(playButton_, 0, Qt::AlignCenter);
    promptText_ = makeLabel(panel, "promptText", tr("What to do"));
    promptText_->setAlignment(Qt::AlignCenter);
    layout->addWidget(promptText_);

    auto* grid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = "answer" + QByteArray::number(i + 1);
        auto* button = makeButton(panel, name.constData(), QString());
        button->setMinimumHeight(64);
        connect(button, &QPushButton::clicked, this, [this, i] { answer(i); });
        answers_[static_cast<std::size_t>(i)] = button;
        grid->addWidget(button, i / 2, i % 2);
    }
    layout->addLayout(grid);
    feedback_ = makeLabel(panel, "feedback", tr("Answer"));
    feedback_->setAlignment(Qt::AlignCenter);
    feedback_->setFont(platform::makeFont(platform::kThaiButtonFont, 13, true));
    feedback_->setMinimumHeight(feedback_->fontMetrics().height() * 2);
    feedback_->setWordWrap(true);
    // Hidden while there is nothing to tell, in a place kept for it; a screen reader reads it
    // as it shows.
    platform::markAsMessage(feedback_);
    QSizePolicy keepPlace = feedback_->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    feedback_->setSizePolicy(keepPlace);
    feedback_->hide();
    layout->addWidget(feedback_);
    auto* bottom = new QHBoxLayout;
    stopButton_ = makeButton(panel, "stopButton", tr("Stop the round (Esc)"));
    // Heard as it reads: "Next" until the last answer, then "See the result".
    nextButton_ = makeButton(panel, "nextButton", tr("&Next (Enter)"));
    nextButton_->setMinimumSize(180, 40);
    bottom->addWidget(stopButton_);
    bottom->addStretch(1);
    bottom->addWidget(nextButton_);
    layout->addLayout(bottom);

    connect(playButton_, &QPushButton::clicked, this,
            [this] { playLetter(round_[static_cast<std::size_t>(current_)].letter); });
    connect(nextButton_, &QPushButton::clicked, this, &DrillPage::next);
    connect(stopButton_, &QPushButton::clicked, this, &DrillPage::stop);
}

void DrillPage::buildResultPanel(QWidget* panel) {
    auto* layout = new QVBoxLayout(panel);
    resultSummary_ = makeLabel(panel, "resultSummary", tr("Result of the round"));
    resultSummary_->setFont(platform::makeFont(platform::kSansFont, 14, true));
    layout->addWidget(resultSummary_);
    missedList_ = new QListWidget(panel);
    missedList_->setObjectName(QStringLiteral("missedList"));
    missedList_->setAccessibleName(tr("Letters missed"));
    missedList_->setFont(platform::makeFont(platform::kThaiButtonFont, 14));
    layout->addWidget(missedList_, 1);
    auto* buttons = new QHBoxLayout;
    backButton_ = makeButton(panel, "backButton", tr("&Back"), tr("Back to the start page"));
    againButton_ = makeButton(panel, "againButton", tr("Another &round"));
    buttons->addWidget(backButton_);
    buttons->addStretch(1);
    buttons->addWidget(againButton_);
    layout->addLayout(buttons);
    connect(backButton_, &QPushButton::clicked, this, &DrillPage::stop);
    connect(againButton_, &QPushButton::clicked, this, [this] { start(kind_, soundFolder_); });
}

void DrillPage::loadScores() {
    if (!links_.store.loadLetterScores(kind_, scores_)) {
        scores_.clear();
        links_.dialogs.messageBox(QString::fromStdString(links_.store.lastError().message),
                                  {platform::Buttons::Ok, platform::Icon::Exclamation},
                                  kProgramTitle);
    }
}

void DrillPage::start(DrillKind kind, const QString& soundFolder) {
    if (kind != kind_ || round_.empty())
        maker_ = DrillMaker(kind, links_.seed + static_cast<std::uint32_t>(kind));
    kind_ = kind;
    soundFolder_ = folderText(soundFolder);
    loadScores();
    round_ = maker_.makeRound(scores_);
    missed_.clear();
    picked_.assign(round_.size(), -1);
    current_ = 0;
    right_ = 0;
    saveTold_ = false;
    drillHeading_->setText(drillTitle(kind));
    const QFont choiceFont = kind == DrillKind::Sound
                                 ? platform::makeFont(platform::kThaiButtonFont, 26)
                                 : platform::makeFont(platform::kSansFont, 14);
    for (auto* button : answers_)
        button->setFont(choiceFont);
    panels_->setCurrentIndex(0);
    checkSounds();
    showQuestion();
}

bool DrillPage::hasSound(int number) const {
    const datafiles::PathMapper paths(links_.driveRoot);
    const QString typed = soundFolder_ + QString::fromUtf8(letter(number).soundFile);
    return QFileInfo(QString::fromStdString(paths.map(typed.toStdString()).string())).isFile();
}

void DrillPage::checkSounds() {
    if (soundTold_)
        return;
    int missing = 0;
    QString first;
    for (const alphabet::Consonant* c : drillLetters())
        if (!hasSound(c->number)) {
            if (missing++ == 0)
                first = QString::fromUtf8(c->soundFile);
        }
    if (missing == 0)
        return;
    soundTold_ = true;
    const QString text = missing == static_cast<int>(drillLetters().size())
                             ? tr("No letter sound was found in \"%1\": the drills go on without "
                                  "sound, and \"%2\" shows the reading instead.")
                                   .arg(soundFolder_, drillTitle(DrillKind::Sound))
                             : tr("%1 letter sounds are missing in \"%2\" (the first: %3): those "
                                  "letters are drilled without sound.")
                                   .arg(missing)
                                   .arg(soundFolder_, first);
    links_.dialogs.messageBox(text, {platform::Buttons::Ok, platform::Icon::Information},
                              kProgramTitle);
}

void DrillPage::playLetter(int number) {
    if (!hasSound(number))
        return;
    links_.player.setFileName(soundFolder_ + QString::fromUtf8(letter(number).soundFile));
    links_.player.setAutoStart(true);
}

QString DrillPage::choiceText(const DrillQuestion& question, int index) const {
    const int choice = question.choices[static_cast<std::size_t>(index)];
    const QString key = QString::number(index + 1) + QStringLiteral("   ");
    switch (kind_) {
    case DrillKind::Sound:
        return key + thaiLetter(choice);
    case DrillKind::Reading:
        return key + QString::fromUtf8(letter(choice).reading);
    case DrillKind::Class:
        return key + className(choice);
    default:
        break;
    }
    return {};
}

void DrillPage::showQuestion() {
    const DrillQuestion& q = round_[static_cast<std::size_t>(current_)];
    answered_ = false;
    questionCount_->setText(tr("Question %1 of %2").arg(current_ + 1).arg(round_.size()));
    const bool listening = kind_ == DrillKind::Sound && hasSound(q.letter);
    playButton_->setVisible(listening);
    if (kind_ == DrillKind::Sound) {
        promptLetter_->setFont(platform::makeFont(platform::kThaiButtonFont, 28, true));
        if (listening)
            promptLetter_->setPixmap(platform::loadPicture("listen.png"));
        else
            promptLetter_->setText(QString::fromUtf8(letter(q.letter).reading));
        promptText_->setText(listening ? tr("Which letter do you hear?")
                                       : tr("No sound: which letter reads so?"));
    } else {
        promptLetter_->setFont(platform::makeFont(platform::kThaiButtonFont, 60));
        promptLetter_->setText(thaiLetter(q.letter));
        promptText_->setText(kind_ == DrillKind::Reading ? tr("How does it read?")
                                                         : tr("Which class is it?"));
    }
    // A screen reader hears what shows, and the letter's name beside a letter.
    promptLetter_->setAccessibleName(listening                   ? tr("The letter you hear")
                                     : kind_ == DrillKind::Sound ? QString()
                                                                 : spokenLetter(q.letter));
    for (int i = 0; i < 4; ++i) {
        auto* button = answers_[static_cast<std::size_t>(i)];
        button->setVisible(i < q.choiceCount);
        button->setEnabled(true);
        button->setStyleSheet(QString());
        if (i < q.choiceCount) {
            button->setText(choiceText(q, i));
            button->setAccessibleName(kind_ == DrillKind::Sound
                                          ? QString::number(i + 1) + QLatin1Char(' ') +
                                                spokenLetter(q.choices[static_cast<std::size_t>(i)])
                                          : button->text().simplified());
        }
    }
    platform::setMessage(feedback_, QString());
    nextButton_->setText(tr("&Next (Enter)"));
    nextButton_->setEnabled(false);
    answers_[0]->setFocus(Qt::OtherFocusReason);
    if (listening)
        playLetter(q.letter);
}

void DrillPage::answer(int index) {
    if (answered_ || panels_->currentIndex() != 0)
        return;
    const DrillQuestion& q = round_[static_cast<std::size_t>(current_)];
    if (index < 0 || index >= q.choiceCount)
        return;
    answered_ = true;
    const bool right = index == q.right;
    picked_[static_cast<std::size_t>(current_)] = index;
    if (right)
        ++right_;
    else
        missed_.push_back(current_);
    for (int i = 0; i < q.choiceCount; ++i) {
        auto* button = answers_[static_cast<std::size_t>(i)];
        button->setEnabled(false);
        if (i == q.right)
            button->setStyleSheet(kRightLook);
        else if (i == index)
            button->setStyleSheet(kWrongLook);
    }
    platform::setMessage(feedback_,
                         right ? tr("Right: ") + describeLetter(q.letter) + QLatin1Char('.')
                               : QStringLiteral("No: it is ") + describeLetter(q.letter) +
                                     QLatin1Char('.'));
    if (kind_ == DrillKind::Sound) { // the letter heard, now that it is told
        promptLetter_->setFont(platform::makeFont(platform::kThaiButtonFont, 60));
        promptLetter_->setText(thaiLetter(q.letter));
        promptLetter_->setAccessibleName(spokenLetter(q.letter));
    }
    nextButton_->setText(current_ + 1 < static_cast<int>(round_.size())
                             ? tr("&Next (Enter)")
                             : tr("See the &result (Enter)"));
    nextButton_->setEnabled(true);
    nextButton_->setFocus(Qt::OtherFocusReason);
    playLetter(q.letter);

    // The letter's score, kept at once.
    const int code = letter(q.letter).code;
    auto score = std::find_if(scores_.begin(), scores_.end(),
                              [code](const LetterScore& s) { return s.code == code; });
    if (score == scores_.end())
        score = scores_.insert(scores_.end(), LetterScore{code, 0, 0, 0});
    *score = scoreAfter(*score, right);
    if (!links_.store.saveLetterScore(kind_, *score) && !saveTold_) {
        saveTold_ = true;
        links_.dialogs.messageBox(QString::fromStdString(links_.store.lastError().message) +
                                      tr(" The drill goes on without keeping its "
                                         "answers."),
                                  {platform::Buttons::Ok, platform::Icon::Exclamation},
                                  kProgramTitle);
    }
}

void DrillPage::next() {
    if (!answered_)
        return;
    if (current_ + 1 < static_cast<int>(round_.size())) {
        ++current_;
        showQuestion();
    } else {
        showResult();
    }
}

void DrillPage::showResult() {
    answered_ = false;
    resultSummary_->setText(tr("%1 of %2 right").arg(right_).arg(round_.size()) +
                            (missed_.empty() ? QString() : tr(". Missed:")));
    QStringList lines;
    for (const int at : missed_) {
        const DrillQuestion& q = round_[static_cast<std::size_t>(at)];
        const int picked =
            q.choices[static_cast<std::size_t>(picked_[static_cast<std::size_t>(at)])];
        lines << describeLetter(q.letter) + tr(" (you picked ") +
                     (kind_ == DrillKind::Class   ? className(picked)
                      : kind_ == DrillKind::Sound ? thaiLetter(picked)
                                                  : QString::fromUtf8(letter(picked).reading)) +
                     QLatin1Char(')');
    }
    missedList_->clear();
    missedList_->addItems(lines.isEmpty() ? QStringList{tr("No letter missed.")} : lines);
    missedList_->setAccessibleDescription(
        lines.isEmpty() ? tr("No letter missed") : tr("%1 letters missed").arg(lines.size()));
    panels_->setCurrentIndex(1);
    againButton_->setFocus(Qt::OtherFocusReason);
}

void DrillPage::stop() {
    answered_ = false;
    emit closed();
}

void DrillPage::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key >= Qt::Key_1 && key <= Qt::Key_4 && panels_->currentIndex() == 0) {
        answer(key - Qt::Key_1);
    } else if (key == Qt::Key_P && playButton_->isVisible()) {
        playButton_->click();
    } else if (key == Qt::Key_Escape) {
        stop();
    } else {
        QWidget::keyPressEvent(event);
    }
}

} // namespace ripasso
