#pragma once
// What the console's two help pages show beside the printed text: the help picture with
// its caption and the "Next... >>" button of each page.

#include <QWidget>

class QLabel;
class QPushButton;

namespace vocaboro {

class HelpPage : public QWidget {
    Q_OBJECT
public:
    enum class Page { None, First, Second };

    explicit HelpPage(QWidget* parent);

    // None hides all of it.
    void showPage(Page page);
    // Hides both "Next... >>" buttons, whatever page shows.
    void hideNextButtons();

    QLabel* Picture2;
    QLabel* Label15;
    QPushButton* Command1; // the first page's "Next... >>"
    QPushButton* Command2; // the second page's, back to the main screen
};

} // namespace vocaboro
