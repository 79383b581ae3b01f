#include "qt_dialogs.h"

#include "geometry.h"

#include <QApplication>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace platform {
namespace {

// Room that a window frame takes beside the title: the icon and the frame's buttons.
constexpr int kTitleBarExtras = 160;

} // namespace

QWidget* QtDialogs::askingWindow() const {
    QWidget* window = parent_ ? parent_->window() : QApplication::activeWindow();
    return window && window->isVisible() ? window : nullptr;
}

std::unique_ptr<QInputDialog> QtDialogs::makeInputBox(const QString& prompt, const QString& title,
                                                      const QString& proposed, int xTwips,
                                                      int yTwips) const {
    auto dialog = std::make_unique<QInputDialog>(askingWindow());
    dialog->setWindowTitle(title);
    dialog->setLabelText(prompt);
    dialog->setTextValue(proposed);
    // Wide enough for the whole title in the frame, which window managers draw in bold. The
    // dialog's layout sets its size from its contents, so the text field carries the width.
    QFont titleFont = dialog->font();
    titleFont.setBold(true);
    if (auto* field = dialog->findChild<QLineEdit*>())
        field->setMinimumWidth(QFontMetrics(titleFont).horizontalAdvance(title) + kTitleBarExtras);
    dialog->move(twipsToPixels(xTwips), twipsToPixels(yTwips));
    return dialog;
}

QString QtDialogs::inputBox(const QString& prompt, const QString& title, const QString& proposed,
                            int xTwips, int yTwips) {
    const auto dialog = makeInputBox(prompt, title, proposed, xTwips, yTwips);
    if (dialog->exec() != QDialog::Accepted)
        return {};
    return dialog->textValue();
}

std::unique_ptr<QMessageBox> QtDialogs::makeMessageBox(const QString& text, MessageStyle style,
                                                       const QString& title) const {
    auto box = std::make_unique<QMessageBox>(askingWindow());
    box->setWindowTitle(title);
    box->setText(text);
    switch (style.icon) {
    case Icon::None:
        box->setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Stop:
        box->setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box->setIcon(QMessageBox::Question);
        break;
    case Icon::Exclamation:
        box->setIcon(QMessageBox::Warning);
        break;
    case Icon::Information:
        box->setIcon(QMessageBox::Information);
        break;
    }
    if (style.buttons == Buttons::Ok) {
        box->setStandardButtons(QMessageBox::Ok);
        return box;
    }
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(style.defaultButton == DefaultButton::First ? QMessageBox::Yes
                                                                      : QMessageBox::No);
    // Closing a Yes/No box by its frame answers No, the safe choice.
    box->setEscapeButton(QMessageBox::No);
    return box;
}

Answer QtDialogs::messageBox(const QString& text, MessageStyle style, const QString& title) {
    const auto box = makeMessageBox(text, style, title);
    const int result = box->exec();
    if (style.buttons == Buttons::Ok)
        return Answer::Ok;
    return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

} // namespace platform
