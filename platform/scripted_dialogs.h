#pragma once
// A Dialogs that answers from a queue of expected questions, for tests. A question that
// was not expected, or that does not match the next expectation, is recorded as a
// failure and answered safely (empty text, OK or No).

#include "dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace platform {

struct AskedQuestion {
    bool isInput = false;
    QString text; // prompt or message text
    QString title;
    QString proposed;
    int xTwips = 0;
    int yTwips = 0;
    MessageStyle style;
};

class ScriptedDialogs : public Dialogs {
public:
    ScriptedDialogs() = default;
    // What went unscripted is kept for takeLeftOverProblems().
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // The next question must be an input box whose prompt contains `promptPart`.
    ScriptedDialogs& expectInput(const QString& promptPart, const QString& answer);
    // The next question must be a message box whose text contains `textPart`.
    ScriptedDialogs& expectMessage(const QString& textPart, Answer answer = Answer::Ok);

    QString inputBox(const QString& prompt, const QString& title, const QString& proposed,
                     int xTwips, int yTwips) override;
    Answer messageBox(const QString& text, MessageStyle style, const QString& title) override;

    const QList<AskedQuestion>& asked() const { return asked_; }
    QStringList failures() const { return failures_; }
    int pending() const { return static_cast<int>(script_.size()); }
    // Failures plus any expectation that was never asked; empty when all went as scripted.
    QStringList problems() const;
    void clearLog() { asked_.clear(); }

    // The problems of every ScriptedDialogs gone since the last call: a test's cleanup()
    // checks that none is left, so that no test can pass with an unexpected question.
    static QStringList takeLeftOverProblems();

    // Runs while each question is open, to look at the windows as the user sees them then.
    std::function<void(const AskedQuestion&)> whileAsking;

private:
    struct Expected {
        bool isInput;
        QString part;
        QString inputAnswer;
        Answer answer;
    };
    QList<Expected> script_;
    QList<AskedQuestion> asked_;
    QStringList failures_;
};

} // namespace platform
