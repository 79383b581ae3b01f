#pragma once
// Makes Enter on a focused button click it, as the old toolkit did; Qt only does that
// for default buttons in dialogs.

#include <QObject>

class QAbstractButton;

namespace platform {

class EnterClicks : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Installs the behaviour on `button`; the filter is owned by the button.
    static void install(QAbstractButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace platform
