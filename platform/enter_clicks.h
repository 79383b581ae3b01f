#pragma once
// Makes Enter on a focused button click it, as the old toolkit did; Qt only does that
// for default buttons in dialogs. Space clicks a focused button in Qt already.

#include <QObject>

class QAbstractButton;
class QWidget;

namespace platform {

class EnterClicks : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Installs the behaviour on `button` once; the filter is owned by the button.
    static void install(QAbstractButton* button);
    // Installs it on every button of the window.
    static void installOnAll(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace platform
