#pragma once
// Messages that a screen reader reads out as they appear: an error, a result, what could not
// be read. Such a label is an alert, named by its text; a screen reader reads an alert when
// it shows, and again when it is announced while it stays shown.

class QLabel;
class QString;

namespace platform {

// Gives `label` the alert role. Call it before the label is first shown or asked about.
void markAsMessage(QLabel* label);

// Sets the message and shows it, or hides it when `text` is empty; a message that was shown
// already and changes is announced again.
void setMessage(QLabel* label, const QString& text);

// Tells screen readers that a message still shown says something new.
void announceMessage(QLabel* label);

} // namespace platform
