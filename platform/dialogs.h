#pragma once
// Every modal question of the programs goes through this interface, so that tests can
// answer from a script and no test ever waits on a real box.

#include <QString>

namespace platform {

enum class Buttons { Ok, YesNo };
enum class Icon { None, Stop, Question, Exclamation, Information };
enum class DefaultButton { First, Second };

// The old result codes: 1 OK, 6 Yes, 7 No.
enum class Answer { Ok = 1, Yes = 6, No = 7 };

struct MessageStyle {
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    DefaultButton defaultButton = DefaultButton::First;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Modal input box at a screen position in twips. Returns the typed text, or empty
    // text when the user cancels.
    virtual QString inputBox(const QString& prompt, const QString& title, const QString& proposed,
                             int xTwips, int yTwips) = 0;

    virtual Answer messageBox(const QString& text, MessageStyle style, const QString& title) = 0;
};

} // namespace platform
