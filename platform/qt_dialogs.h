#pragma once
// The real boxes, built on QInputDialog and QMessageBox.

#include "dialogs.h"

class QWidget;

namespace platform {

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    QString inputBox(const QString& prompt, const QString& title, const QString& proposed,
                     int xTwips, int yTwips) override;
    Answer messageBox(const QString& text, MessageStyle style, const QString& title) override;

private:
    QWidget* parent_;
};

} // namespace platform
