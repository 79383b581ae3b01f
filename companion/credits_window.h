#pragma once
// The credits window that both programs show first. A click anywhere on it hides it and
// opens the program's working window, which is handed in.

#include <QHash>
#include <QWidget>

#include <functional>

class QLabel;

namespace companion {

enum class Flavour { Chartola, Vocaboro };

class Form2 : public QWidget {
    Q_OBJECT
public:
    // `openWorkingWindow` shows the dictionary window (Chartola) or the console (Vocaboro);
    // `closedByFrame` runs when the user closes this window by its frame.
    Form2(Flavour flavour, std::function<void()> openWorkingWindow,
          std::function<void()> closedByFrame, QWidget* parent = nullptr);

    // The eight click handlers, all alike.
    void Form_Click() { clicked(); }
    void Label1_Click() { clicked(); }
    void Label2_Click() { clicked(); }
    void Picture1_Click() { clicked(); }
    void Picture2_Click() { clicked(); }
    void Picture3_Click() { clicked(); }
    void Picture4_Click() { clicked(); }
    void Picture5_Click() { clicked(); }

    static QString title(Flavour flavour);

    // The program unloads the window itself: no user's close.
    void unload();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void clicked();

    // Which handler a click on a picture or a label runs.
    QHash<QObject*, void (Form2::*)()> clickHandlers_;
    std::function<void()> openWorkingWindow_;
    std::function<void()> closedByFrame_;
    bool unloading_ = false;
};

} // namespace companion
