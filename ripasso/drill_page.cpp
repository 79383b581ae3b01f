#include "drill_page.h"

#include "alphabet/vowel_table.h"
#include "datafiles/path_mapping.h"
#include "platform/fonts.h"
#include "platform/pictures.h"
#include "platform/spoken_message.h"
#include "platform/text.h"
#include "platform/wrap_button.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

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

// The number of the consonant a text (UTF-8) is made of, or 0 when it is not one consonant.
int consonantIn(const std::string& text) {
    const std::optional<std::string> bytes = platform::toThai(QString::fromUtf8(text));
    if (!bytes || bytes->size() != 1)
        return 0;
    const int number = static_cast<unsigned char>((*bytes)[0]) - 0xA0;
    return number >= 1 && number <= 46 ? number : 0;
}

// The English names that the drills of the script offer, translated as they are shown.
constexpr const char* kChoiceNames[] = {
    QT_TRANSLATE_NOOP("ripasso::DrillPage", "mid"),
    QT_TRANSLATE_NOOP("ripasso::DrillPage", "low"),
    QT_TRANSLATE_NOOP("ripasso::DrillPage", "falling"),
    QT_TRANSLATE_NOOP("ripasso::DrillPage", "high"),
    QT_TRANSLATE_NOOP("ripasso::DrillPage", "rising"),
    QT_TRANSLATE_NOOP("ripasso::DrillPage", "short"),
    QT_TRANSLATE_NOOP("ripasso::DrillPage", "long"),
};

QString shownChoice(const std::string& choice) {
    for (const char* name : kChoiceNames)
        if (choice == name)
            return QCoreApplication::translate("ripasso::DrillPage", name);
    return QString::fromUtf8(choice);
}

const alphabet::VowelForm* vowelOf(int code) {
    return code >= 1 && code <= static_cast<int>(alphabet::vowelTable().size())
               ? &alphabet::vowelForm(code)
               : nullptr;
}

QString lengthText(alphabet::VowelLength length) {
    return shownChoice(length == alphabet::VowelLength::Short ? "short" : "long");
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

bool drillPlaysSounds(DrillKind kind) {
    return kind == DrillKind::Sound || kind == DrillKind::Reading || kind == DrillKind::Class ||
           kind == DrillKind::VowelSound || kind == DrillKind::LookAlike;
}

QString toneRule(const thaiscript::Syllable& syllable) {
    QString reason;
    if (syllable.listed)
        reason = DrillPage::tr("read so by custom");
    else
        reason = className(static_cast<int>(syllable.toneClass)) + QStringLiteral(" + ") +
                 (syllable.mark != thaiscript::Mark::None
                      ? QString::fromUtf8(thaiscript::markName(syllable.mark))
                  : syllable.live                                ? DrillPage::tr("live")
                  : syllable.length == thaiscript::Length::Short ? DrillPage::tr("dead, short")
                                                                 : DrillPage::tr("dead, long"));
    return DrillPage::tr("%1: %2 → %3")
        .arg(platform::fromThai(syllable.text), reason,
             shownChoice(thaiscript::toneName(syllable.tone)));
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

    connect(playButton_, &QPushButton::clicked, this, [this] { play(asked_.sound); });
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
    connect(againButton_, &QPushButton::clicked, this,
            [this] { start(kind_, soundFolder_, wordsFolder_); });
}

void DrillPage::loadScores() {
    if (!links_.store.loadLetterScores(kind_, scores_)) {
        scores_.clear();
        links_.dialogs.messageBox(QString::fromStdString(links_.store.lastError().message),
                                  {platform::Buttons::Ok, platform::Icon::Exclamation},
                                  kProgramTitle);
    }
}

int DrillPage::roundSize() const {
    return static_cast<int>(round_.empty() ? scriptRound_.size() : round_.size());
}

void DrillPage::start(DrillKind kind, const QString& soundFolder,
                      const std::filesystem::path& wordsFolder) {
    const bool letters =
        kind == DrillKind::Sound || kind == DrillKind::Reading || kind == DrillKind::Class;
    const std::uint32_t seed = links_.seed + static_cast<std::uint32_t>(kind);
    if (letters && (kind != kind_ || round_.empty()))
        maker_ = DrillMaker(kind, seed);
    if (!letters && (kind != kind_ || !scriptMaker_ || wordsFolder != wordsFolder_))
        scriptMaker_.emplace(kind, seed,
                             kind == DrillKind::Tone ? toneDrillSyllables(wordsFolder)
                                                     : std::vector<thaiscript::Syllable>{});
    kind_ = kind;
    wordsFolder_ = wordsFolder;
    soundFolder_ = folderText(soundFolder);
    loadScores();
    round_.clear();
    scriptRound_.clear();
    if (letters)
        round_ = maker_.makeRound(scores_);
    else
        scriptRound_ = scriptMaker_->makeRound(scores_);
    missed_.clear();
    current_ = 0;
    right_ = 0;
    saveTold_ = false;
    drillHeading_->setText(drillTitle(kind));
    panels_->setCurrentIndex(0);
    if (roundSize() == 0) {
        links_.dialogs.messageBox(tr("\"%1\" has nothing to ask yet.").arg(drillTitle(kind)),
                                  {platform::Buttons::Ok, platform::Icon::Information},
                                  kProgramTitle);
        stop();
        return;
    }
    checkSounds();
    showQuestion();
}

bool DrillPage::hasSound(const QString& file) const {
    const datafiles::PathMapper paths(links_.driveRoot);
    const QString typed = soundFolder_ + file;
    return QFileInfo(QString::fromStdString(paths.map(typed.toStdString()).string())).isFile();
}

void DrillPage::checkSounds() {
    // The vowels' sounds for the vowel heard, the letters' for the drills that play them.
    const bool vowels = kind_ == DrillKind::VowelSound;
    bool& told = vowels ? vowelSoundTold_ : soundTold_;
    if (told || !drillPlaysSounds(kind_))
        return;
    QStringList files;
    if (vowels)
        for (const alphabet::VowelForm& v : alphabet::vowelTable())
            files << QString::fromUtf8(v.soundFile);
    else
        for (const alphabet::Consonant* c : drillLetters())
            files << QString::fromUtf8(c->soundFile);
    QStringList missing;
    std::copy_if(files.begin(), files.end(), std::back_inserter(missing),
                 [this](const QString& file) { return !hasSound(file); });
    if (missing.isEmpty())
        return;
    told = true;
    const bool none = missing.size() == files.size();
    QString text;
    if (vowels)
        text = none ? tr("No vowel sound was found in \"%1\": \"%2\" shows the vowel's reading "
                         "instead.")
                          .arg(soundFolder_, drillTitle(DrillKind::VowelSound))
                    : tr("%1 vowel sounds are missing in \"%2\" (the first: %3): those vowels "
                         "are drilled without sound.")
                          .arg(missing.size())
                          .arg(soundFolder_, missing.first());
    else
        text = none ? tr("No letter sound was found in \"%1\": the drills go on without "
                         "sound, and \"%2\" shows the reading instead.")
                          .arg(soundFolder_, drillTitle(DrillKind::Sound))
                    : tr("%1 letter sounds are missing in \"%2\" (the first: %3): those "
                         "letters are drilled without sound.")
                          .arg(missing.size())
                          .arg(soundFolder_, missing.first());
    links_.dialogs.messageBox(text, {platform::Buttons::Ok, platform::Icon::Information},
                              kProgramTitle);
}

void DrillPage::play(const QString& file) {
    if (file.isEmpty() || !hasSound(file))
        return;
    links_.player.setFileName(soundFolder_ + file);
    links_.player.setAutoStart(true);
}

DrillPage::Asked DrillPage::askLetter(const DrillQuestion& question) const {
    const alphabet::Consonant& c = letter(question.letter);
    Asked a;
    a.code = c.code;
    a.sound = QString::fromUtf8(c.soundFile);
    a.answered = thaiLetter(question.letter);
    a.answeredName = spokenLetter(question.letter);
    a.answer = describeLetter(question.letter);
    a.choiceCount = question.choiceCount;
    a.right = question.right;
    if (kind_ == DrillKind::Sound) {
        a.listen = hasSound(a.sound);
        a.promptIsReading = true;
        a.prompt = a.listen ? QString() : QString::fromUtf8(c.reading);
        a.promptName = a.listen ? tr("The letter you hear") : QString();
        a.task =
            a.listen ? tr("Which letter do you hear?") : tr("No sound: which letter reads so?");
        a.thaiChoices = true;
    } else {
        a.prompt = a.answered;
        a.promptName = a.answeredName;
        a.task = kind_ == DrillKind::Reading ? tr("How does it read?") : tr("Which class is it?");
    }
    for (std::size_t i = 0; i < static_cast<std::size_t>(question.choiceCount); ++i) {
        const int choice = question.choices[i];
        a.choices[i] = kind_ == DrillKind::Sound     ? thaiLetter(choice)
                       : kind_ == DrillKind::Reading ? QString::fromUtf8(letter(choice).reading)
                                                     : className(choice);
        a.choiceNames[i] = kind_ == DrillKind::Sound ? spokenLetter(choice) : a.choices[i];
    }
    return a;
}

DrillPage::Asked DrillPage::askScript(const ScriptQuestion& question) const {
    Asked a;
    a.code = question.code;
    a.choiceCount = std::clamp(question.choiceCount, 1, 4);
    a.right = std::clamp(question.right, 0, a.choiceCount - 1);
    a.sound = QString::fromStdString(question.soundFile);
    for (std::size_t i = 0; i < static_cast<std::size_t>(a.choiceCount); ++i)
        a.choices[i] = a.choiceNames[i] = shownChoice(question.choices[i]);
    const std::string& rightText = question.choices[static_cast<std::size_t>(a.right)];
    const QString right = shownChoice(rightText);
    const QString prompt = QString::fromStdString(question.prompt);
    a.prompt = a.answered = prompt;
    const alphabet::VowelForm* vowel = vowelOf(question.code);
    const QString reading = vowel ? QString::fromUtf8(vowel->reading) : QString();
    // "iia, long", or the answer alone when the vowel is not in the table
    const QString readingAndLength =
        vowel ? reading + QStringLiteral(", ") + lengthText(vowel->length) : right;
    switch (kind_) {
    case DrillKind::VowelReading:
    case DrillKind::VowelLength:
        a.task = kind_ == DrillKind::VowelReading ? tr("How does this vowel read?")
                                                  : tr("Is this vowel short or long?");
        // Its reading only once answered (no word of it that could be a reading before).
        a.promptName = tr("%1: the vowel form asked").arg(prompt);
        a.answeredName = tr("%1: the vowel form %2").arg(prompt, readingAndLength);
        a.answer = prompt + QLatin1Char(' ') + readingAndLength;
        break;
    case DrillKind::VowelSound:
        a.thaiChoices = a.promptIsReading = true;
        a.listen = hasSound(a.sound);
        a.prompt = a.listen ? QString() : vowel ? reading : prompt;
        a.promptName = a.listen ? tr("The vowel you hear") : QString();
        a.task = a.listen ? tr("Which vowel do you hear?") : tr("No sound: which vowel reads so?");
        a.answered = right;
        a.answeredName = a.answer = right + QLatin1Char(' ') + readingAndLength;
        break;
    case DrillKind::LookAlike: {
        a.thaiChoices = a.promptIsReading = true;
        a.listen = hasSound(a.sound);
        a.prompt = a.listen ? QString() : prompt;
        a.promptName = a.listen ? tr("The letter you hear") : QString();
        a.task =
            a.listen ? tr("Which letter do you hear?") : tr("No sound: which letter is named so?");
        for (std::size_t i = 0; i < static_cast<std::size_t>(a.choiceCount); ++i)
            if (const int number = consonantIn(question.choices[i]))
                a.choiceNames[i] = spokenLetter(number);
        const int number = consonantIn(rightText);
        a.answered = right;
        a.answeredName = number ? spokenLetter(number) : right;
        a.answer = number ? describeLetter(number) : right + QLatin1Char(' ') + prompt;
        break;
    }
    case DrillKind::ToneMark:
        a.task = tr("Which tone mark is it?");
        a.promptName = tr("%1: the mark on อ").arg(prompt);
        a.answeredName = tr("%1: %2 on อ").arg(prompt, right);
        a.answer = prompt + QLatin1Char(' ') + right;
        break;
    case DrillKind::Tone:
        a.task = tr("Which tone does it have?");
        a.promptName = tr("%1: a syllable").arg(prompt);
        a.answeredName = tr("%1: a syllable, %2 tone").arg(prompt, right);
        a.answer = prompt + QStringLiteral(", ") + right;
        if (question.syllable)
            a.rule = toneRule(*question.syllable);
        break;
    case DrillKind::Final: {
        const int number = consonantIn(question.prompt);
        const QString named = number ? spokenLetter(number) : prompt;
        a.task = tr("Which sound does it give at the end of a syllable?");
        a.promptName = tr("%1: a final").arg(named);
        a.answeredName = tr("%1: a final, read %2").arg(named, right);
        a.answer = tr("%1 as a final: %2").arg(prompt, right);
        break;
    }
    default:
        break;
    }
    return a;
}

void DrillPage::showQuestion() {
    const auto at = static_cast<std::size_t>(current_);
    asked_ = round_.empty() ? askScript(scriptRound_[at]) : askLetter(round_[at]);
    answered_ = false;
    questionCount_->setText(tr("Question %1 of %2").arg(current_ + 1).arg(roundSize()));
    playButton_->setVisible(asked_.listen);
    promptLetter_->setFont(asked_.promptIsReading
                               ? platform::makeFont(platform::kThaiButtonFont, 28, true)
                               : platform::makeFont(platform::kThaiButtonFont, 60));
    if (asked_.listen)
        promptLetter_->setPixmap(platform::loadPicture("listen.png"));
    else
        promptLetter_->setText(asked_.prompt);
    promptText_->setText(asked_.task);
    // A screen reader hears what shows, and a letter's name beside a letter.
    promptLetter_->setAccessibleName(asked_.promptName);
    const QFont choiceFont = asked_.thaiChoices ? platform::makeFont(platform::kThaiButtonFont, 26)
                                                : platform::makeFont(platform::kSansFont, 14);
    for (std::size_t i = 0; i < answers_.size(); ++i) {
        auto* button = answers_[i];
        const bool offered = static_cast<int>(i) < asked_.choiceCount;
        button->setVisible(offered);
        button->setEnabled(true);
        button->setStyleSheet(QString());
        button->setFont(choiceFont);
        if (offered) {
            const QString key = QString::number(i + 1);
            button->setText(key + QStringLiteral("   ") + asked_.choices[i]);
            button->setAccessibleName(key + QLatin1Char(' ') + asked_.choiceNames[i]);
        }
    }
    platform::setMessage(feedback_, QString());
    nextButton_->setText(tr("&Next (Enter)"));
    nextButton_->setEnabled(false);
    answers_[0]->setFocus(Qt::OtherFocusReason);
    if (asked_.listen)
        play(asked_.sound);
}

void DrillPage::answer(int index) {
    if (answered_ || panels_->currentIndex() != 0 || index < 0 || index >= asked_.choiceCount)
        return;
    answered_ = true;
    const bool right = index == asked_.right;
    if (right)
        ++right_;
    else
        missed_ << asked_.answer + tr(" (you picked ") +
                       asked_.choices[static_cast<std::size_t>(index)] + QLatin1Char(')');
    for (int i = 0; i < asked_.choiceCount; ++i) {
        auto* button = answers_[static_cast<std::size_t>(i)];
        button->setEnabled(false);
        if (i == asked_.right)
            button->setStyleSheet(kRightLook);
        else if (i == index)
            button->setStyleSheet(kWrongLook);
    }
    platform::setMessage(
        feedback_, (right ? tr("Right: ") : tr("No: it is ")) + asked_.answer + QLatin1Char('.') +
                       (asked_.rule.isEmpty() ? QString() : QLatin1Char('\n') + asked_.rule));
    // What was heard or asked, now that it is told.
    if (promptLetter_->text() != asked_.answered) {
        promptLetter_->setFont(platform::makeFont(platform::kThaiButtonFont, 60));
        promptLetter_->setText(asked_.answered);
    }
    if (promptLetter_->accessibleName() != asked_.answeredName)
        promptLetter_->setAccessibleName(asked_.answeredName);
    nextButton_->setText(current_ + 1 < roundSize() ? tr("&Next (Enter)")
                                                    : tr("See the &result (Enter)"));
    nextButton_->setEnabled(true);
    nextButton_->setFocus(Qt::OtherFocusReason);
    play(asked_.sound);

    // The score, kept at once.
    const int code = asked_.code;
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
    if (current_ + 1 < roundSize()) {
        ++current_;
        showQuestion();
    } else {
        showResult();
    }
}

void DrillPage::showResult() {
    answered_ = false;
    const bool letters = !round_.empty();
    resultSummary_->setText(tr("%1 of %2 right").arg(right_).arg(roundSize()) +
                            (missed_.empty() ? QString() : tr(". Missed:")));
    missedList_->clear();
    missedList_->setAccessibleName(letters ? tr("Letters missed") : tr("Questions missed"));
    missedList_->addItems(!missed_.isEmpty() ? missed_
                          : letters          ? QStringList{tr("No letter missed.")}
                                             : QStringList{tr("Nothing missed.")});
    missedList_->setAccessibleDescription(
        letters ? (missed_.isEmpty() ? tr("No letter missed")
                                     : tr("%1 letters missed").arg(missed_.size()))
                : (missed_.isEmpty() ? tr("Nothing missed")
                                     : tr("%1 questions missed").arg(missed_.size())));
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
