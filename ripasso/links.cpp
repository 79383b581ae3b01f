#include "links.h"

#include "platform/enter_clicks.h"
#include "platform/wrap_button.h"

#include <QDate>
#include <QLabel>

namespace ripasso {

int currentDay() {
    return static_cast<int>(QDate::currentDate().toJulianDay() - QDate(1970, 1, 1).toJulianDay());
}

QString folderText(const QString& typed) {
    if (typed.isEmpty() || typed.endsWith(QLatin1Char('\\')) || typed.endsWith(QLatin1Char('/')))
        return typed;
    return typed + (typed.contains(QLatin1Char('\\')) ? QLatin1Char('\\') : QLatin1Char('/'));
}

platform::MarkedButton* makeButton(QWidget* parent, const char* name, const QString& text,
                                   const QString& accessibleName) {
    auto* button = new platform::MarkedButton(text, parent);
    button->setObjectName(QLatin1String(name));
    // Without a name of its own, a screen reader hears what the button reads, whatever it
    // reads later.
    button->setAccessibleName(QString(accessibleName).remove(QLatin1Char('&')));
    button->setAutoDefault(false);
    platform::EnterClicks::install(button);
    return button;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& description) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    // Screen readers hear what the label shows as its name (each new text is announced as a
    // change of name), then what it is.
    label->setAccessibleDescription(description);
    label->setTextFormat(Qt::PlainText);
    label->setMargin(2); // the text's first and last pixels stay off the edge
    return label;
}

} // namespace ripasso
