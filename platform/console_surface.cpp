#include "console_surface.h"

#include "geometry.h"
#include "thaitext/palette.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QPainter>
#include <QScrollBar>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

double twipsToPixelsF(int twips) {
    return twips / double(kTwipsPerPixel);
}

int pixelsToTwipsRounded(double pixels) {
    return static_cast<int>(std::lround(pixels * kTwipsPerPixel));
}

// How many characters of `text` fit in `room` pixels, breaking where a line may break; 0 when
// not even the first word fits and the row already holds something (the text then starts the
// next row). On an empty row a word wider than the row breaks between two characters.
int fittingLength(QStringView text, const QFont& font, double room, bool rowIsEmpty) {
    room = std::max(room, 1.0);
    // Only about as many characters as can fit are laid out, so that a huge piece costs no
    // more per row than a short one; the window grows when the characters are narrower.
    const double narrow = std::max(1.0, QFontMetricsF(font).averageCharWidth() / 2);
    qsizetype window = std::min<qsizetype>(text.size(), static_cast<qsizetype>(room / narrow) + 16);
    for (;;) {
        // Never cut a character cluster (a Thai letter with its marks) at the window's end.
        const QString around = text.left(std::min(text.size(), window + 16)).toString();
        QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, around);
        graphemes.setPosition(window);
        if (!graphemes.isAtBoundary())
            window = std::max<qsizetype>(graphemes.toNextBoundary(), window);
        const QString chunk = text.left(window).toString();
        auto layOut = [&](QTextOption::WrapMode mode, double* natural) {
            QTextLayout layout(chunk, font);
            QTextOption option;
            option.setWrapMode(mode);
            layout.setTextOption(option);
            layout.beginLayout();
            QTextLine line = layout.createLine();
            line.setLineWidth(room);
            layout.endLayout();
            *natural = line.naturalTextWidth();
            return line.textLength();
        };
        double natural = 0;
        int length = layOut(QTextOption::WordWrap, &natural);
        const bool fits = natural <= room + 0.01;
        if (fits && length >= chunk.size() && window < text.size()) {
            window *= 2; // all of it fitted: more of the piece may fit too
            continue;
        }
        if (fits)
            return length;
        if (!rowIsEmpty)
            return 0;
        length = layOut(QTextOption::WrapAtWordBoundaryOrAnywhere, &natural);
        if (length > 0 && natural <= room + 0.01)
            return length;
        QTextBoundaryFinder first(QTextBoundaryFinder::Grapheme, chunk);
        return std::max(1, static_cast<int>(first.toNextBoundary()));
    }
}

// [start, end) of the unit of `text` of the given kind that holds `offset`.
void unitAt(const QString& text, int offset, QAccessible::TextBoundaryType type, int* start,
            int* end) {
    const int size = static_cast<int>(text.size());
    offset = std::clamp(offset, 0, size);
    if (type == QAccessible::NoBoundary || size == 0) {
        *start = 0;
        *end = size;
        return;
    }
    if (type == QAccessible::LineBoundary || type == QAccessible::ParagraphBoundary) {
        const int newline =
            offset == 0 ? -1 : static_cast<int>(text.lastIndexOf(u'\n', offset - 1));
        *start = newline + 1;
        const int next = static_cast<int>(text.indexOf(u'\n', *start));
        *end = next < 0 ? size : next + 1;
        return;
    }
    const auto kind = type == QAccessible::WordBoundary       ? QTextBoundaryFinder::Word
                      : type == QAccessible::SentenceBoundary ? QTextBoundaryFinder::Sentence
                                                              : QTextBoundaryFinder::Grapheme;
    QTextBoundaryFinder finder(kind, text);
    finder.setPosition(std::min(offset, size - 1));
    if (!finder.isAtBoundary())
        finder.toPreviousBoundary();
    *start = static_cast<int>(finder.position());
    const qsizetype next = finder.toNextBoundary();
    *end = next < 0 ? size : static_cast<int>(next);
}

// Screen readers see the console as a terminal whose text is the printed lines.
class ConsoleAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ConsoleAccessible(ConsoleSurface* console)
        : QAccessibleWidget(console, QAccessible::Terminal), console_(console) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value)
            return all();
        return QAccessibleWidget::text(kind);
    }

    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override { return all().mid(start, end - start); }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                         int* end) const override {
        const QString text = all();
        unitAt(text, offset, type, start, end);
        return text.mid(*start, *end - *start);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                             int* end) const override {
        const QString text = all();
        unitAt(text, offset, type, start, end);
        if (*start == 0) {
            *end = 0;
            return {};
        }
        unitAt(text, *start - 1, type, start, end);
        return text.mid(*start, *end - *start);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                            int* end) const override {
        const QString text = all();
        unitAt(text, offset, type, start, end);
        if (*end >= text.size()) {
            *start = *end = static_cast<int>(text.size());
            return {};
        }
        unitAt(text, *end, type, start, end);
        return text.mid(*start, *end - *start);
    }
    int characterCount() const override { return static_cast<int>(all().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

private:
    QString all() const { return console_->lines().join(u'\n'); }
    ConsoleSurface* console_;
};

QAccessibleInterface* accessibleConsole(const QString&, QObject* object) {
    if (auto* console = qobject_cast<ConsoleSurface*>(object))
        return new ConsoleAccessible(console);
    return nullptr;
}

} // namespace

ConsoleSurface::ConsoleSurface(QWidget* parent) : QWidget(parent) {
    static const bool accessible = (QAccessible::installFactory(accessibleConsole), true);
    Q_UNUSED(accessible);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(QStringLiteral("Console"));
    scrollBar_ = new QScrollBar(Qt::Vertical, this);
    scrollBar_->setObjectName(QStringLiteral("consoleScrollBar"));
    scrollBar_->setRange(0, 0);
    scrollBar_->hide();
    connect(scrollBar_, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
}

QFont ConsoleSurface::fontOf(const PrintedPiece& piece) {
    QFont font(piece.fontName);
    font.setPointSizeF(piece.fontSize);
    font.setBold(piece.bold);
    font.setItalic(piece.italic);
    return font;
}

QFont ConsoleSurface::currentFont() const {
    PrintedPiece probe;
    probe.fontName = fontName_;
    probe.fontSize = fontSize_;
    probe.bold = bold_;
    probe.italic = italic_;
    return fontOf(probe);
}

void ConsoleSurface::cls() {
    const bool announce = !pieces_.isEmpty() && QAccessible::isActive();
    const QString before = announce ? allText() : QString();
    pieces_.clear();
    x_ = 0;
    y_ = 0;
    line_ = 0;
    row_ = 0;
    rowHeight_ = 0;
    rows_.clear();
    inkBottomTwips_ = 0;
    updateScrolling();
    update();
    if (announce) {
        QAccessibleTextRemoveEvent event(this, 0, before);
        QAccessible::updateAccessibility(&event);
    }
}

void ConsoleSurface::setWrapColumn(int twips) {
    wrapTwips_ = twips;
    updateScrolling();
}

int ConsoleSurface::rowEndTwips() const {
    const int column = wrapTwips_ > 0 ? wrapTwips_ : pixelsToTwips(width());
    return column - pixelsToTwips(scrollBar_->sizeHint().width());
}

ConsoleSurface::Row& ConsoleSurface::currentRow() {
    if (rows_.size() <= row_)
        rows_.resize(row_ + 1);
    Row& row = rows_[row_];
    row.topTwips = y_;
    return row;
}

void ConsoleSurface::noteRowFont(const QFontMetricsF& metrics) {
    Row& row = currentRow();
    row.ascent = std::max(row.ascent, metrics.ascent());
    row.height = std::max(row.height, metrics.height());
}

void ConsoleSurface::newRow() {
    x_ = 0;
    y_ += rowHeight_;
    rowHeight_ = 0;
    ++row_;
}

void ConsoleSurface::place(const QString& text, double advancePixels) {
    Row& row = currentRow();
    pieces_.append({text, fontName_, fontSize_, bold_, italic_, color_, x_, y_, line_, row_});
    x_ += pixelsToTwipsRounded(advancePixels);
    if (!text.trimmed().isEmpty())
        inkBottomTwips_ = std::max(inkBottomTwips_, y_ + pixelsToTwipsRounded(row.height));
}

void ConsoleSurface::print(const QString& text, bool endLine) {
    const QFont font = currentFont();
    const QFontMetricsF metrics(font);
    const int height = static_cast<int>(std::ceil(metrics.height() * kTwipsPerPixel));
    rowHeight_ = std::max(rowHeight_, height);
    noteRowFont(metrics);
    const bool announce =
        (QAccessible::isActive() ||
         isSignalConnected(QMetaMethod::fromSignal(&ConsoleSurface::textInserted))) &&
        (!text.isEmpty() || endLine);
    const QString before = announce ? allText() : QString();
    qsizetype done = 0;
    while (done < text.size()) {
        const QStringView rest = QStringView(text).mid(done);
        const double room = twipsToPixelsF(rowEndTwips() - x_);
        // Most pieces fit whole: measured once, they need no laying out to be cut.
        if (rest.size() <= 512) {
            const double advance = metrics.horizontalAdvance(rest.toString());
            if (advance <= room + 0.01) {
                place(rest.toString(), advance);
                break;
            }
        }
        const int length = fittingLength(rest, font, room, x_ <= 0);
        if (length > 0) {
            const QString part = rest.left(length).toString();
            place(part, metrics.horizontalAdvance(part));
            done += length;
        }
        if (done < text.size()) {
            newRow();
            rowHeight_ = height;
            noteRowFont(metrics);
        }
    }
    if (endLine) {
        newRow();
        ++line_;
    }
    updateScrolling();
    scrollBar_->setValue(scrollBar_->maximum()); // the newest row stays in sight
    update();
    // What a screen reader's copy of the text gains: a line end shows once the next line
    // begins, so the offsets stay those of the text read back.
    if (announce) {
        const QString after = allText();
        if (after.size() > before.size()) {
            const int offset = static_cast<int>(before.size());
            emit textInserted(offset, after.mid(offset));
            QAccessibleTextInsertEvent event(this, offset, after.mid(offset));
            QAccessible::updateAccessibility(&event);
        }
    }
}

void ConsoleSurface::setBackgroundPicture(const QPixmap& picture) {
    background_ = picture;
    update();
}

QStringList ConsoleSurface::lines() const {
    QStringList out;
    for (int i = 0; i < line_; ++i)
        out.append(QString());
    for (const PrintedPiece& piece : pieces_) {
        while (out.size() <= piece.line)
            out.append(QString());
        out[piece.line] += piece.text;
    }
    return out;
}

QString ConsoleSurface::allText() const {
    return lines().join(u'\n');
}

int ConsoleSurface::scrollOffset() const {
    return scrollBar_->value();
}

bool ConsoleSurface::scrollByKey(const QKeyEvent& key) {
    const bool control = key.modifiers() & Qt::ControlModifier;
    if (key.key() == Qt::Key_PageUp || key.key() == Qt::Key_PageDown)
        scrollBar_->triggerAction(key.key() == Qt::Key_PageUp ? QScrollBar::SliderPageStepSub
                                                              : QScrollBar::SliderPageStepAdd);
    else if (control && (key.key() == Qt::Key_Home || key.key() == Qt::Key_End))
        scrollBar_->triggerAction(key.key() == Qt::Key_Home ? QScrollBar::SliderToMinimum
                                                            : QScrollBar::SliderToMaximum);
    else
        return false;
    return true;
}

QRectF ConsoleSurface::area(const PrintedPiece& piece) const {
    const QFontMetricsF metrics(fontOf(piece));
    const Row& row = rows_.at(piece.row);
    const double baseline = twipsToPixelsF(row.topTwips) - scrollOffset() + row.ascent;
    return QRectF(twipsToPixelsF(piece.xTwips), baseline - metrics.ascent(),
                  metrics.horizontalAdvance(piece.text), metrics.height());
}

void ConsoleSurface::updateScrolling() {
    // Blank rows at the end need not be seen: they never make the text scroll.
    const int contentHeight = static_cast<int>(std::ceil(twipsToPixelsF(inkBottomTwips_)));
    const int sliderWidth = scrollBar_->sizeHint().width();
    const int right = wrapTwips_ > 0 ? twipsToPixels(wrapTwips_) : width();
    scrollBar_->setGeometry(right - sliderWidth, 0, sliderWidth, height());
    scrollBar_->setPageStep(std::max(1, height()));
    scrollBar_->setSingleStep(std::max(1, height() / 10));
    scrollBar_->setRange(0, std::max(0, contentHeight - height()));
    scrollBar_->setVisible(scrollBar_->maximum() > 0);
}

void ConsoleSurface::resizeEvent(QResizeEvent*) {
    updateScrolling();
}

void ConsoleSurface::wheelEvent(QWheelEvent* event) {
    if (scrollBar_->isVisible())
        QCoreApplication::sendEvent(scrollBar_, event);
    else
        event->ignore();
}

void ConsoleSurface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!background_.isNull())
        painter.drawPixmap(0, 0, background_);

    // Pieces of one row share a baseline: the largest ascent among them.
    const double top = scrollOffset();
    const QRectF visible = QRectF(event->rect()).translated(0, top);
    for (const PrintedPiece& piece : pieces_) {
        const Row& row = rows_.at(piece.row);
        const double rowTop = twipsToPixelsF(row.topTwips);
        if (rowTop > visible.bottom() || rowTop + row.height < visible.top())
            continue;
        const thaitext::Rgb rgb = thaitext::paletteColor(piece.color);
        painter.setFont(fontOf(piece));
        painter.setPen(QColor(rgb.red, rgb.green, rgb.blue));
        // One run per piece, so that Thai tone marks and vowels compose.
        painter.drawText(QPointF(twipsToPixelsF(piece.xTwips), rowTop - top + row.ascent),
                         piece.text);
    }
}

} // namespace platform
