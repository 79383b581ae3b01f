#pragma once
// The real boxes, built on QInputDialog and QMessageBox. A box belongs to the window that asks
// (the parent given, else the active window) and a message box opens centred on it.

#include "dialogs.h"

#include <memory>

class QInputDialog;
class QMessageBox;
class QWidget;

namespace platform {

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    QString inputBox(const QString& prompt, const QString& title, const QString& proposed,
                     int xTwips, int yTwips) override;
    Answer messageBox(const QString& text, MessageStyle style, const QString& title) override;

    // The window that asks: the parent given, else the active window; a hidden window asks
    // nothing.
    QWidget* askingWindow() const;
    // The boxes as they are shown, so that tests can look at them without waiting on them.
    std::unique_ptr<QInputDialog> makeInputBox(const QString& prompt, const QString& title,
                                               const QString& proposed, int xTwips,
                                               int yTwips) const;
    std::unique_ptr<QMessageBox> makeMessageBox(const QString& text, MessageStyle style,
                                                const QString& title) const;

private:
    QWidget* parent_;
};

} // namespace platform
