#include "qt_dialogs.h"

#include "geometry.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

namespace platform {
namespace {

// Room that a window frame takes beside the title: the icon and the frame's buttons.
constexpr int kTitleBarExtras = 160;
// The property that keeps the width a box was widened to.
constexpr char kWidened[] = "widenedTo";

} // namespace

// Sends the keys that scroll to the window that asks, while a box of its waits.
class ScrollKeysToParent : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool control = key->modifiers() & Qt::ControlModifier;
        const bool scrolls = key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown ||
                             (control && (key->key() == Qt::Key_Home || key->key() == Qt::Key_End));
        auto* box = qobject_cast<QWidget*>(watched);
        if (!scrolls || !box || !box->parentWidget())
            return false;
        QKeyEvent copy(QEvent::KeyPress, key->key(), key->modifiers());
        QCoreApplication::sendEvent(box->parentWidget(), &copy);
        return true;
    }
};

// Widens a box's layout to `width` pixels at least, with a row of its own under the rest; a
// box asked again has its row set anew.
void widenTo(QDialog& box, int width) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    for (int i = grid->count() - 1; i >= 0; --i)
        if (QSpacerItem* spacer = grid->itemAt(i)->spacerItem();
            spacer && spacer->sizeHint().height() == 0 &&
            spacer->expandingDirections() == Qt::Orientations())
            delete grid->takeAt(i);
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

int titleWidth(const QWidget& box, const QString& title) {
    // Window managers draw the title in bold.
    QFont titleFont = box.font();
    titleFont.setBold(true);
    return QFontMetrics(titleFont).horizontalAdvance(title) + kTitleBarExtras;
}

QtDialogs::~QtDialogs() {
    delete reused_.data();
}

QWidget* QtDialogs::askingWindow() const {
    QWidget* window = parent_ ? parent_->window() : QApplication::activeWindow();
    if (window && !qobject_cast<QDialog*>(window) && window->isVisible())
        lastAsking_ = window;
    else if (!parent_ && lastAsking_)
        window = lastAsking_;
    return window && window->isVisible() ? window : nullptr;
}

std::unique_ptr<QInputDialog> QtDialogs::makeInputBox(const QString& prompt, const QString& title,
                                                      const QString& proposed, int xTwips,
                                                      int yTwips) const {
    auto dialog = std::make_unique<QInputDialog>(askingWindow());
    dialog->setWindowTitle(title);
    dialog->setLabelText(prompt);
    dialog->setTextValue(proposed);
    // Wide enough for the whole title in the frame. The dialog's layout sets its size from its
    // contents, so the text field carries the width.
    if (auto* field = dialog->findChild<QLineEdit*>())
        field->setMinimumWidth(titleWidth(*dialog, title));
    dialog->move(twipsToPixels(xTwips), twipsToPixels(yTwips));
    return dialog;
}

QString QtDialogs::inputBox(const QString& prompt, const QString& title, const QString& proposed,
                            int xTwips, int yTwips) {
    const auto dialog = makeInputBox(prompt, title, proposed, xTwips, yTwips);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    // The questions come once a folder is known: their box is made while the window waits
    // for the user.
    QTimer::singleShot(0, &preparing_, [this] { prepareMessageBox(); });
    return accepted ? dialog->textValue() : QString();
}

std::unique_ptr<QMessageBox> QtDialogs::makeMessageBox(const QString& text, MessageStyle style,
                                                       const QString& title) const {
    auto box = std::make_unique<QMessageBox>(askingWindow());
    box->installEventFilter(new ScrollKeysToParent(box.get()));
    setUp(*box, text, style, title);
    return box;
}

void QtDialogs::setUp(QMessageBox& box, const QString& text, MessageStyle style,
                      const QString& title) {
    // A box asked again changes only what differs: an icon is drawn anew each time it is set.
    if (box.windowTitle() != title)
        box.setWindowTitle(title);
    if (box.text() != text)
        box.setText(text);
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (style.icon) {
    case Icon::None:
        break;
    case Icon::Stop:
        icon = QMessageBox::Critical;
        break;
    case Icon::Question:
        icon = QMessageBox::Question;
        break;
    case Icon::Exclamation:
        icon = QMessageBox::Warning;
        break;
    case Icon::Information:
        icon = QMessageBox::Information;
        break;
    }
    if (box.icon() != icon)
        box.setIcon(icon);
    const QMessageBox::StandardButtons buttons =
        style.buttons == Buttons::Ok ? QMessageBox::Ok : QMessageBox::Yes | QMessageBox::No;
    if (box.standardButtons() != buttons)
        box.setStandardButtons(buttons);
    if (style.buttons == Buttons::YesNo) {
        box.setDefaultButton(style.defaultButton == DefaultButton::First ? QMessageBox::Yes
                                                                         : QMessageBox::No);
        // Closing a Yes/No box by its frame answers No, the safe choice.
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
    }
    const int width = titleWidth(box, title);
    if (box.property(kWidened).toInt() != width) {
        widenTo(box, width); // once its layout is complete
        box.setProperty(kWidened, width);
    }
}

void QtDialogs::prepareMessageBox() {
    QWidget* window = askingWindow();
    if (!window || (reused_ && reused_->isVisible()))
        return;
    if (!reused_ || reused_->parentWidget() != window) {
        delete reused_.data();
        // In the style of a look-up's question, the one asked most; with a text and a title,
        // so that their fonts are loaded and laid out once here.
        const QString blank = QStringLiteral(" ");
        reused_ =
            makeMessageBox(blank, {Buttons::YesNo, Icon::Question, DefaultButton::Second}, blank)
                .release();
        reused_->ensurePolished();
        reused_->adjustSize();
    }
    reused_->winId(); // its window made (again, once an answer closed it), not shown
}

QMessageBox* QtDialogs::keptMessageBox(const QString& text, MessageStyle style,
                                       const QString& title) {
    // The box of the last question is asked again, set up anew, when the same window asks and
    // it is not open still: one box of a look-up's questions is built once.
    if (reused_ && reused_->isVisible())
        return nullptr;
    if (!reused_ || reused_->parentWidget() != askingWindow()) {
        delete reused_.data();
        reused_ = makeMessageBox(text, style, title).release();
    } else {
        setUp(*reused_, text, style, title);
    }
    return reused_.data();
}

Answer QtDialogs::messageBox(const QString& text, MessageStyle style, const QString& title) {
    std::unique_ptr<QMessageBox> own;
    QMessageBox* box = keptMessageBox(text, style, title);
    if (!box) {
        own = makeMessageBox(text, style, title); // asked while another waits
        box = own.get();
    }
    const int result = box->exec();
    // An answer closes the box's window: the next is made while the window waits.
    if (box == reused_.data())
        QTimer::singleShot(0, &preparing_, [this] { prepareMessageBox(); });
    if (style.buttons == Buttons::Ok)
        return Answer::Ok;
    return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

} // namespace platform
