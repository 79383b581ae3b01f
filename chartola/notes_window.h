#pragma once
// The notes window: a page of usage notes for the dictionary window.

#include <QWidget>

#include <functional>

class QPlainTextEdit;
class QPushButton;

namespace chartola {

// Where the notes' buttons lead.
struct NotesLinks {
    std::function<void()> backToDictionary;
    std::function<void()> endProgram;
};

// The notes, 1,862 characters, lines separated by CR LF.
const QString& notesText();

class Form4 : public QWidget {
    Q_OBJECT
public:
    explicit Form4(NotesLinks links, QWidget* parent = nullptr);
    void Command1_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    NotesLinks links_;
    QPlainTextEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
};

} // namespace chartola
