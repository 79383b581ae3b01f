#pragma once
// Qt ends a program whose display it cannot open (no X server, one that refuses another
// client, or one that goes away while the program starts) with a fatal message, which
// aborts: a core dump and a "crash" for what is only a start that could not happen.
// While a StartupExit lives, a fatal message is printed as Qt prints it and the program
// ends with status 1, the status Qt itself uses when the X server goes away later on.
// Once the application object stands the guard is dropped, so that a fatal error of the
// running program still aborts and leaves its core:
//     platform::StartupExit startup;
//     QApplication app(argc, argv);
//     startup.drop();

namespace platform {

class StartupExit {
public:
    StartupExit();
    ~StartupExit() { drop(); }
    StartupExit(const StartupExit&) = delete;
    StartupExit& operator=(const StartupExit&) = delete;

    void drop();

private:
    bool active_ = true;
};

} // namespace platform
