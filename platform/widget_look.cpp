#include "widget_look.h"

#include <QLabel>
#include <QLineEdit>
#include <QStyle>

namespace platform {
namespace {

const char* const kDesignWidth = "designWidth";

} // namespace

QString flatColours(const QColor& back, const QColor& fore) {
    return QStringLiteral("QPushButton { background-color: %1; color: %2; border: 2px outset %3; }"
                          "QPushButton:pressed { border-style: inset; }"
                          "QLabel { background-color: %1; color: %2; }")
        .arg(back.name(), fore.name(), back.lighter(130).name());
}

void setFittedText(QLabel* label, const QString& text) {
    label->setText(text);
    if (!label->property(kDesignWidth).isValid())
        label->setProperty(kDesignWidth, label->width());
    const int designWidth = label->property(kDesignWidth).toInt();
    const int frame = label->width() - label->contentsRect().width();
    const int needed =
        label->fontMetrics().horizontalAdvance(text) + frame + 2 * label->margin() + 4;
    const int width = std::max(designWidth, needed);
    if (width == label->width())
        return;
    QRect area = label->geometry();
    if (label->alignment() & Qt::AlignHCenter) {
        const int centre = area.left() + area.width() / 2;
        area.setLeft(centre - width / 2);
    }
    area.setWidth(width);
    label->setGeometry(area);
}

void setTextFromStart(QLineEdit* box, const QString& text) {
    box->setText(text);
    box->setCursorPosition(0);
}

} // namespace platform
