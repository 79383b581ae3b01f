#pragma once
// What a person does to a window, as events: the window made active, keys sent to whatever
// has the keyboard focus, text typed character by character (Thai included), clicks.

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QWidget>

namespace real {

// Shows the window and makes it the active one, so that focus moves as it does on a desktop.
inline bool activate(QWidget* window) {
    window->show();
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

inline QWidget* focused() {
    return QApplication::focusWidget();
}

// Where a key goes: the focus widget, or the active window itself when nothing in it can
// take the focus.
inline QWidget* keyTarget() {
    return focused() ? focused() : QApplication::activeWindow();
}

// A key pressed and released where the keyboard focus is.
inline void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = keyTarget();
    QVERIFY2(target, "no window is active");
    QTest::keyClick(target, key, modifiers);
}

// Types `text` where the keyboard focus is, one key event per character, as an input
// method delivers characters that have no key of their own (accented letters, Thai).
inline void type(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        QWidget* target = focused();
        QVERIFY2(target, "no widget has the keyboard focus");
        const QChar c = text.at(i);
        // A character outside the basic plane comes as one event of two code units.
        const qsizetype units = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString one = text.mid(i, units);
        i += units - 1;
        Qt::Key key = Qt::Key_unknown;
        if (c == QLatin1Char(' '))
            key = Qt::Key_Space;
        else if (c.unicode() < 0x80 && c.isLetterOrNumber())
            key = Qt::Key(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Press, target, key, one, Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, target, key, one, Qt::NoModifier);
    }
}

// Pastes `text` where the keyboard focus is, with Ctrl+V, as a person enters a text too long
// to type.
inline void paste(const QString& text) {
    QApplication::clipboard()->setText(text);
    press(Qt::Key_V, Qt::ControlModifier);
}

// A left click in the middle of the widget (or at `at`), focus moving as a click moves it.
inline void click(QWidget* widget, QPoint at = QPoint()) {
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
}

} // namespace real
