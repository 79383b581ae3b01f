#include "spoken_message.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace platform {
namespace {

constexpr char kMessageProperty[] = "spokenMessage";

class MessageAccessible : public QAccessibleWidget {
public:
    explicit MessageAccessible(QLabel* label)
        : QAccessibleWidget(label, QAccessible::AlertMessage) {}

    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Name)
            return QAccessibleWidget::text(kind);
        const QString name = widget()->accessibleName();
        return name.isEmpty() ? static_cast<const QLabel*>(widget())->text() : name;
    }
};

QAccessibleInterface* accessibleMessage(const QString&, QObject* object) {
    auto* label = qobject_cast<QLabel*>(object);
    if (label && label->property(kMessageProperty).toBool())
        return new MessageAccessible(label);
    return nullptr;
}

} // namespace

void markAsMessage(QLabel* label) {
    static const bool installed = (QAccessible::installFactory(accessibleMessage), true);
    Q_UNUSED(installed);
    label->setProperty(kMessageProperty, true);
    // A screen reader that listened while the label was made has had its plain interface
    // made already: it goes, and the next question about the label gets the alert's.
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(label);
    if (made && made->role() != QAccessible::AlertMessage)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void setMessage(QLabel* label, const QString& text) {
    const bool shown = label->isVisible();
    const bool changed = label->text() != text;
    label->setText(text);
    label->setVisible(!text.isEmpty());
    if (shown && changed && !text.isEmpty())
        announceMessage(label);
}

void announceMessage(QLabel* label) {
    // Shown again: what makes a screen reader read an alert that stayed on screen.
    if (!label->isVisible())
        return;
    QAccessibleEvent shown(label, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace platform
