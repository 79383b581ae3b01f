#pragma once
// The real boxes, built on QInputDialog and QMessageBox. A box belongs to the window that asks
// (the parent given, else the active window) and a message box opens centred on it, as wide
// as its title. While a box waits, Page Up, Page Down, Ctrl+Home and Ctrl+End reach the
// window that asks, so that the lines a question is about can still be read. The message box
// is kept: built hidden once a folder was asked for, and asked again with its text changed,
// so that a question shows at once in a window that is already made.

#include "dialogs.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QInputDialog;
class QMessageBox;
class QWidget;

namespace platform {

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    ~QtDialogs() override;
    QtDialogs(const QtDialogs&) = delete;
    QtDialogs& operator=(const QtDialogs&) = delete;
    void setParent(QWidget* parent) { parent_ = parent; }

    QString inputBox(const QString& prompt, const QString& title, const QString& proposed,
                     int xTwips, int yTwips) override;
    Answer messageBox(const QString& text, MessageStyle style, const QString& title) override;

    // The window that asks: the parent given, else the active window, else (between two boxes
    // in a row, while the window manager has not given it back its activation) the window
    // that asked last; a hidden window asks nothing.
    QWidget* askingWindow() const;
    // The boxes as they are shown, so that tests can look at them without waiting on them.
    std::unique_ptr<QInputDialog> makeInputBox(const QString& prompt, const QString& title,
                                               const QString& proposed, int xTwips,
                                               int yTwips) const;
    std::unique_ptr<QMessageBox> makeMessageBox(const QString& text, MessageStyle style,
                                                const QString& title) const;
    // The kept box, made hidden for the window that asks when it has none (its widgets laid
    // out and its window made), so that the next question only changes its text.
    void prepareMessageBox();
    // The kept box set up for a question, not shown; null while it is open for another.
    QMessageBox* keptMessageBox(const QString& text, MessageStyle style, const QString& title);

private:
    // Sets a box up for a question: its title, text, icon and buttons.
    static void setUp(QMessageBox& box, const QString& text, MessageStyle style,
                      const QString& title);

    QWidget* parent_;
    mutable QPointer<QWidget> lastAsking_;
    // The last question's box, kept to be asked again (its window may delete it first).
    QPointer<QMessageBox> reused_;
    QObject preparing_; // the kept box is prepared while this lives
};

} // namespace platform
