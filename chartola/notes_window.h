#pragma once
// The notes window: a page of usage notes for the dictionary window.

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace chartola {

class Program;

// The notes, 1,862 characters, lines separated by CR LF.
const QString& notesText();

class Form4 : public QWidget {
    Q_OBJECT
public:
    explicit Form4(Program& program, QWidget* parent = nullptr);
    void Command1_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Program& program_;
    QPlainTextEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
};

} // namespace chartola
