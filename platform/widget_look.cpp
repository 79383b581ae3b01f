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

void setFittedText(QLabel* label, const QString& text, Anchor anchor) {
    label->setText(text);
    if (!label->property(kDesignWidth).isValid())
        label->setProperty(kDesignWidth, label->width());
    const int designWidth = label->property(kDesignWidth).toInt();
    const QFontMetrics metrics = label->fontMetrics();
    const int extra = label->width() - label->contentsRect().width() + 2 * label->margin() + 4;
    const int oneLine = metrics.horizontalAdvance(text) + extra;
    int width = std::max(designWidth, oneLine);
    if (label->wordWrap()) {
        // The narrowest width, from the design one up, at which the wrapped lines fit.
        const int room = label->contentsRect().height() - 2 * label->margin();
        width = designWidth;
        const int flags = static_cast<int>(Qt::TextWordWrap | label->alignment());
        while (width < oneLine &&
               metrics.boundingRect(QRect(0, 0, width - extra, 10000), flags, text).height() > room)
            width += 4;
    }
    if (width == label->width())
        return;
    QRect area = label->geometry();
    const Qt::Alignment align = label->alignment();
    if (anchor == Anchor::ByAlignment && (align & Qt::AlignHCenter)) {
        const int centre = area.left() + area.width() / 2;
        area.setLeft(centre - width / 2);
    } else if (anchor == Anchor::ByAlignment && (align & Qt::AlignRight)) {
        area.setLeft(area.right() + 1 - width);
    }
    area.setWidth(width);
    label->setGeometry(area);
}

void setTextFromStart(QLineEdit* box, const QString& text) {
    box->setText(text);
    box->setCursorPosition(0);
}

} // namespace platform
