#include "widget_look.h"

#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace platform {
namespace {

const char* const kDesignWidth = "designWidth";
const char* const kDesignFont = "designFont";

// The width a line edit draws its text in: inside its frame and text margins, less the two
// pixels it keeps clear on either side.
int textRoom(const QLineEdit* box) {
    QStyleOptionFrame option;
    option.initFrom(box);
    option.rect = box->rect();
    option.lineWidth =
        box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    const QMargins margins = box->textMargins();
    constexpr int kClear = 2;
    return contents.width() - margins.left() - margins.right() - 2 * kClear;
}

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

void setWholeText(QLineEdit* box, const QString& text) {
    if (!box->property(kDesignFont).isValid())
        box->setProperty(kDesignFont, box->font());
    const QFont design = box->property(kDesignFont).value<QFont>();
    const int room = textRoom(box);
    QFont font = design;
    while (QFontMetrics(font, box).horizontalAdvance(text) > room &&
           font.pointSizeF() - 0.25 >= design.pointSizeF() * 0.75)
        font.setPointSizeF(font.pointSizeF() - 0.25);
    box->setFont(font);
    setTextFromStart(box, text);
}

} // namespace platform
