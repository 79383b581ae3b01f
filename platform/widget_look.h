#pragma once
// Small rules for how controls look and read, shared by every window: colours drawn flat as
// given, labels as wide as their text, text boxes that show the start of their text or all of it.

#include <QColor>
#include <QString>

class QLabel;
class QLineEdit;

namespace platform {

// A style sheet that fills the control flat with `back` (the style's shading left out) and
// writes its text in `fore`; buttons keep a raised edge.
QString flatColours(const QColor& back, const QColor& fore = Qt::black);

// Which edge of a label stays in place when it grows: by default the one its text is aligned
// to (both for centred text).
enum class Anchor { ByAlignment, Left };

// Sets the label's text and widens the label when the text needs more than its design width
// (a word-wrapped label: when its lines need more than its height); it never becomes narrower
// than designed.
void setFittedText(QLabel* label, const QString& text, Anchor anchor = Anchor::ByAlignment);

// Sets the box's text and shows it from its first character, whatever the box's width.
void setTextFromStart(QLineEdit* box, const QString& text);

// Sets the box's text and shows all of it: a text wider than the box is drawn in a smaller
// font, a quarter point at a time, down to three quarters of the box's own size; the box keeps
// its place and size, and a text that fits takes the box's own font again.
void setWholeText(QLineEdit* box, const QString& text);

} // namespace platform
