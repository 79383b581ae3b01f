#include "program.h"

#include "companion/credits_window.h"
#include "console_window.h"

namespace vocaboro {

Program::Program(platform::Dialogs& dialogs, platform::Speech& speech,
                 std::filesystem::path driveRoot, std::function<void()> endProgram)
    : dialogs_(dialogs), speech_(speech), driveRoot_(std::move(driveRoot)),
      endProgram_(std::move(endProgram)) {
    credits_ = std::make_unique<companion::Form2>(
        companion::Flavour::Vocaboro, [this] { openConsole(); },
        [this] { end(); }); // closing the credits, the only window then, ends the program
}

Program::~Program() = default;

void Program::start() {
    credits_->show();
}

void Program::openConsole() {
    if (!console_) {
        ConsoleOptions options;
        options.driveRoot = driveRoot_;
        options.endProgram = [this] { end(); };
        options.showCredits = [this] { credits_->show(); };
        options.unloadCredits = [this] { credits_->unload(); };
        console_ = std::make_unique<Form1>(dialogs_, speech_, std::move(options));
        console_->Form_Load();
        if (console_->hasEnded())
            return;
    }
    console_->show();
}

void Program::end() {
    if (ended_)
        return;
    ended_ = true;
    if (console_)
        console_->hide();
    credits_->unload();
    if (endProgram_)
        endProgram_();
}

} // namespace vocaboro
