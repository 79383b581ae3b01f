#pragma once
// Chartola's windows and how they meet: each is loaded the first time it is shown and
// keeps its state while hidden; closing any of them by its frame unloads all of them in
// the order Form1, Form2, Form3, Form4, frmAbout, which ends the program.

#include "datafiles/file_io.h"
#include "platform/dialogs.h"
#include "platform/registry.h"
#include "platform/sound_player.h"

#include <QPointer>
#include <QWidget>

#include <filesystem>
#include <functional>

namespace chartola {

class Form1;
class Form3;

struct ProgramServices {
    platform::Dialogs& dialogs;
    platform::SoundPlayer& player;
    platform::Registry& registry;
    platform::ProgramLauncher& launcher;
    std::filesystem::path driveRoot; // where "C:" of a typed folder leads
    std::function<void()> endProgram;
    datafiles::FileAccess fileAccess = {}; // how the data files are read and locked
};

enum class Window { Form1, Form2, Form3, Form4, frmAbout };

class Program {
public:
    explicit Program(ProgramServices services);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Shows the first window.
    void start();

    // Loads the window when it is not loaded, then shows it.
    void show(Window window);
    // Hides a loaded window; a window not loaded stays so.
    void hide(Window window);
    bool isLoaded(Window window) const { return widget(window) != nullptr; }
    // Unloads one window; it is loaded anew the next time it is shown.
    void unload(Window window);
    // Unloads every window in order and ends the program.
    void unloadAll();
    bool hasEnded() const { return ended_; }

    // The chart window, loading it when needed.
    Form1& chart();
    // The dictionary window, loading it when needed.
    Form3& dictionary();
    QWidget* widget(Window window) const;

    platform::Dialogs& dialogs() { return services_.dialogs; }
    platform::SoundPlayer& player() { return services_.player; }
    platform::Registry& registry() { return services_.registry; }
    platform::ProgramLauncher& launcher() { return services_.launcher; }
    const std::filesystem::path& driveRoot() const { return services_.driveRoot; }
    const datafiles::FileAccess& fileAccess() const { return services_.fileAccess; }

private:
    QWidget* load(Window window);
    QPointer<QWidget>& slot(Window window);

    ProgramServices services_;
    QPointer<QWidget> form1_, form2_, form3_, form4_, about_;
    bool unloading_ = false;
    bool ended_ = false;
};

} // namespace chartola
