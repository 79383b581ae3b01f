#pragma once
// Vocaboro's two windows: the credits window first; a click on it opens the console,
// whose start-up unloads the credits; "End" shows the credits once more, unloads both
// and ends the program.

#include "platform/dialogs.h"
#include "platform/speech.h"

#include <filesystem>
#include <functional>
#include <memory>

namespace companion {
class Form2;
}

namespace vocaboro {

class Form1;

class Program {
public:
    // `speech` says the console's words; it outlives the program's windows.
    Program(platform::Dialogs& dialogs, platform::Speech& speech, std::filesystem::path driveRoot,
            std::function<void()> endProgram);
    ~Program();

    void start();       // shows the credits window
    void openConsole(); // loads the console on first use, then shows it
    void end();         // both windows are gone: the program ends

    companion::Form2* credits() const { return credits_.get(); }
    Form1* console() const { return console_.get(); }
    bool hasEnded() const { return ended_; }

private:
    platform::Dialogs& dialogs_;
    platform::Speech& speech_;
    std::filesystem::path driveRoot_;
    std::function<void()> endProgram_;
    std::unique_ptr<companion::Form2> credits_;
    std::unique_ptr<Form1> console_;
    bool ended_ = false;
};

} // namespace vocaboro
