#include "enter_clicks.h"

#include <QAbstractButton>
#include <QKeyEvent>

namespace platform {

void EnterClicks::install(QAbstractButton* button) {
    if (!button->findChild<EnterClicks*>(QString(), Qt::FindDirectChildrenOnly))
        button->installEventFilter(new EnterClicks(button));
}

void EnterClicks::installOnAll(QWidget* window) {
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        install(button);
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
