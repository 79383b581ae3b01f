#pragma once
// What a program with windows answers before it opens any: --help and --version, printed in
// the user's language with status 0, and a start without a graphical session, told in one
// line with status 1 (instead of the platform plugin's abort). --help or --version anywhere
// on the line is answered, the first one given. Nothing here needs a display:
//     if (const std::optional<int> status = platform::answerBeforeWindows(argc, argv, about))
//         return *status;
//     QApplication app(argc, argv);

#include <QString>

#include <functional>
#include <optional>

namespace platform {

struct ProgramAbout {
    const char* command; // "vocaboro": the name in --version and in the messages
    // The --help text, asked for once the translator is installed.
    std::function<QString()> help;
};

// True when Qt has a display to open: DISPLAY or WAYLAND_DISPLAY is set, or a platform is
// chosen by QT_QPA_PLATFORM or -platform (offscreen, for tests).
bool hasGraphicalSession(int argc, const char* const argv[]);

// The exit status when the program must end before its windows, having printed why; nothing
// when it goes on to its windows. Without a display, only --help and --version are answered.
std::optional<int> answerBeforeWindows(int argc, char* argv[], const ProgramAbout& about);

// "vocaboro 1.0": the --version line, with its newline.
QString versionLine(const char* command);

} // namespace platform
