#include "qt_dialogs.h"

#include "geometry.h"

#include <QInputDialog>
#include <QMessageBox>

namespace platform {

QString QtDialogs::inputBox(const QString& prompt, const QString& title, const QString& proposed,
                            int xTwips, int yTwips) {
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(proposed);
    dialog.move(twipsToPixels(xTwips), twipsToPixels(yTwips));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.textValue();
}

Answer QtDialogs::messageBox(const QString& text, MessageStyle style, const QString& title) {
    QMessageBox box(parent_);
    box.setWindowTitle(title);
    box.setText(text);
    switch (style.icon) {
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Stop:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    if (style.buttons == Buttons::Ok) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return Answer::Ok;
    }
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(style.defaultButton == DefaultButton::First ? QMessageBox::Yes
                                                                     : QMessageBox::No);
    // Closing a Yes/No box by its frame answers No, the safe choice.
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

} // namespace platform
