#pragma once
// Chartola's windows and how they meet: each is loaded the first time it is shown and
// keeps its state while hidden; closing any of them by its frame unloads all of them in
// the order Form1, Form2, Form3, Form4, frmAbout, which ends the program. Each window is
// given only what it uses: the services it calls and the few moves between windows its
// buttons make.

#include "datafiles/file_io.h"
#include "platform/dialogs.h"
#include "platform/registry.h"
#include "platform/sound_player.h"

#include <QPointer>
#include <QWidget>

#include <filesystem>
#include <functional>

namespace companion {
class Form2;
}

namespace chartola {

class Form1;
class Form3;
class Form4;
class frmAbout;

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
    // The notes and the About box when they are loaded, else null.
    Form4* notes() const;
    frmAbout* about() const;
    QWidget* widget(Window window) const;

private:
    void load(Window window);

    ProgramServices services_;
    QPointer<Form1> chart_;
    QPointer<companion::Form2> credits_;
    QPointer<Form3> dictionary_;
    QPointer<Form4> notes_;
    QPointer<frmAbout> about_;
    bool unloading_ = false;
    bool ended_ = false;
};

} // namespace chartola
