#include "enter_clicks.h"

#include <QAbstractButton>
#include <QKeyEvent>

namespace platform {

void EnterClicks::install(QAbstractButton* button) {
    button->installEventFilter(new EnterClicks(button));
}

bool EnterClicks::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (auto* button = qobject_cast<QAbstractButton*>(watched);
                button && button->isEnabled()) {
                button->click();
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace platform
