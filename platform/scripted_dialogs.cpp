#include "scripted_dialogs.h"

#include <utility>

namespace platform {
namespace {

QStringList& leftOver() {
    static QStringList problems;
    return problems;
}

} // namespace

ScriptedDialogs::~ScriptedDialogs() {
    leftOver().append(problems());
}

QStringList ScriptedDialogs::takeLeftOverProblems() {
    return std::exchange(leftOver(), {});
}

ScriptedDialogs& ScriptedDialogs::expectInput(const QString& promptPart, const QString& answer) {
    script_.append({true, promptPart, answer, Answer::Ok});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectMessage(const QString& textPart, Answer answer) {
    script_.append({false, textPart, {}, answer});
    return *this;
}

QString ScriptedDialogs::inputBox(const QString& prompt, const QString& title,
                                  const QString& proposed, int xTwips, int yTwips) {
    asked_.append({true, prompt, title, proposed, xTwips, yTwips, {}});
    if (whileAsking)
        whileAsking(asked_.last());
    if (script_.isEmpty() || !script_.front().isInput || !prompt.contains(script_.front().part)) {
        failures_.append(QStringLiteral("unexpected input box: ") + prompt);
        return {};
    }
    return script_.takeFirst().inputAnswer;
}

Answer ScriptedDialogs::messageBox(const QString& text, MessageStyle style, const QString& title) {
    asked_.append({false, text, title, {}, 0, 0, style});
    if (whileAsking)
        whileAsking(asked_.last());
    if (script_.isEmpty() || script_.front().isInput || !text.contains(script_.front().part)) {
        failures_.append(QStringLiteral("unexpected message box: ") + text);
        return style.buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    }
    const Answer answer = script_.takeFirst().answer;
    if (style.buttons == Buttons::Ok && answer != Answer::Ok)
        failures_.append(QStringLiteral("a Yes/No answer scripted for an OK box: ") + text);
    return answer;
}

QStringList ScriptedDialogs::problems() const {
    QStringList all = failures_;
    for (const Expected& e : script_)
        all.append(QStringLiteral("expected but never asked: ") + e.part);
    return all;
}

} // namespace platform
