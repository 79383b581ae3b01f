#include "console_fixture.h"

#include "datafiles/file_io.h"
#include "datafiles/record_writer.h"
#include "platform/fonts.h"
#include "real_input.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <fstream>

ConsoleFixture::ConsoleFixture() {
    platform::installFontSubstitutes();
}

void ConsoleFixture::writeRecords(const QString& name,
                                  const std::vector<datafiles::DictionaryRecord>& records) {
    std::string bytes;
    for (const auto& r : records)
        bytes += datafiles::formatRecordLine(r);
    writeBytes(name, bytes);
}

void ConsoleFixture::writeBytes(const QString& name, const std::string& bytes) {
    std::ofstream(file(name), std::ios::binary | std::ios::trunc) << bytes;
}

vocaboro::Form1& ConsoleFixture::start(const QString& answer) {
    dialogs_.expectInput(QStringLiteral("Path Folder"), answer);
    return startAsScripted();
}

vocaboro::Form1& ConsoleFixture::startAsScripted() {
    vocaboro::ConsoleOptions options;
    options.driveRoot = dir_.path().toStdString();
    options.endProgram = [this] { ended_ = true; };
    options.fileAccess = access;
    form_ = std::make_unique<vocaboro::Form1>(dialogs_, speech_, std::move(options));
    form_->Form_Load();
    form_->show();
    QApplication::setActiveWindow(form_.get());
    return *form_;
}

void ConsoleFixture::lookUp(const QString& word) {
    lookUpWith("Command3D10", word);
}

void ConsoleFixture::lookUpWith(const char* directionButton, const QString& word) {
    real::activate(form_.get());
    real::click(control<QPushButton>(directionButton));
    QCOMPARE(real::focused(), control<QWidget>("Text8"));
    real::type(word);
    real::press(Qt::Key_Return);
}

QStringList ConsoleFixture::consoleLines() const {
    return form_->console()->lines();
}

datafiles::DictionaryRecord entry(const std::string& italian, const std::string& pronunciation,
                                  const std::string& attribute, const std::string& note,
                                  const std::string& thai) {
    return {italian, pronunciation, attribute, note, thai, "$", "$"};
}

datafiles::DictionaryRecord pointer(const std::string& word, const std::string& first,
                                    const std::string& second, const std::string& third) {
    return {word, "-", "-", "*", first, second, third};
}
