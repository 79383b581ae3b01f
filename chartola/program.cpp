#include "program.h"

#include "about_box.h"
#include "chart_window.h"
#include "companion/credits_window.h"
#include "dictionary_window.h"
#include "notes_window.h"

namespace chartola {

Program::Program(ProgramServices services) : services_(std::move(services)) {}

Program::~Program() {
    delete chart_.data();
    delete credits_.data();
    delete dictionary_.data();
    delete notes_.data();
    delete about_.data();
}

QWidget* Program::widget(Window window) const {
    switch (window) {
    case Window::Form1:
        return chart_;
    case Window::Form2:
        return credits_;
    case Window::Form3:
        return dictionary_;
    case Window::Form4:
        return notes_;
    case Window::frmAbout:
        return about_;
    }
    return nullptr;
}

Form4* Program::notes() const {
    return notes_;
}

frmAbout* Program::about() const {
    return about_;
}

void Program::start() {
    show(Window::Form2);
}

void Program::load(Window window) {
    if (widget(window) || unloading_ || ended_)
        return;
    const std::function<void()> endProgram = [this] { unloadAll(); };
    switch (window) {
    case Window::Form1:
        chart_ = new Form1({.dialogs = services_.dialogs,
                            .player = services_.player,
                            .showAbout = [this] { show(Window::frmAbout); },
                            .showDictionary =
                                [this] {
                                    hide(Window::Form1);
                                    hide(Window::Form2);
                                    show(Window::Form3);
                                },
                            .endProgram = endProgram});
        chart_->Form_Load();
        break;
    case Window::Form2:
        credits_ = new companion::Form2(
            companion::Flavour::Chartola, [this] { show(Window::Form3); }, endProgram);
        break;
    case Window::Form3:
        dictionary_ = new Form3({.dialogs = services_.dialogs,
                                 .driveRoot = services_.driveRoot,
                                 .fileAccess = services_.fileAccess,
                                 .showChart =
                                     [this] {
                                         show(Window::Form1);
                                         hide(Window::Form2);
                                         hide(Window::Form3);
                                     },
                                 .showNotes =
                                     [this] {
                                         hide(Window::Form3);
                                         show(Window::Form4);
                                     },
                                 .endProgram = endProgram});
        dictionary_->Form_Load();
        break;
    case Window::Form4:
        notes_ = new Form4({.backToDictionary =
                                [this] {
                                    show(Window::Form3);
                                    hide(Window::Form4);
                                },
                            .endProgram = endProgram});
        break;
    case Window::frmAbout:
        about_ = new frmAbout({.dialogs = services_.dialogs,
                               .registry = services_.registry,
                               .launcher = services_.launcher,
                               .close =
                                   [this] {
                                       unload(Window::frmAbout);
                                       show(Window::Form1);
                                   },
                               .endProgram = endProgram});
        about_->Form_Load();
        // Beside the chart.
        if (chart_)
            about_->move(chart_->frameGeometry().topRight() + QPoint(8, 0));
        break;
    }
}

void Program::show(Window window) {
    load(window);
    if (QWidget* w = widget(window))
        w->show();
}

void Program::hide(Window window) {
    if (QWidget* w = widget(window))
        w->hide();
}

Form1& Program::chart() {
    load(Window::Form1);
    return *chart_;
}

Form3& Program::dictionary() {
    load(Window::Form3);
    return *dictionary_;
}

void Program::unload(Window window) {
    QWidget* gone = widget(window);
    if (!gone)
        return;
    switch (window) {
    case Window::Form1:
        chart_ = nullptr;
        break;
    case Window::Form2:
        credits_ = nullptr;
        break;
    case Window::Form3:
        dictionary_ = nullptr;
        break;
    case Window::Form4:
        notes_ = nullptr;
        break;
    case Window::frmAbout:
        about_ = nullptr;
        break;
    }
    gone->hide();
    gone->deleteLater();
}

void Program::unloadAll() {
    if (unloading_)
        return;
    unloading_ = true;
    for (Window window :
         {Window::Form1, Window::Form2, Window::Form3, Window::Form4, Window::frmAbout}) {
        if (window == Window::Form2 && credits_)
            credits_->unload(); // closing it here is no user's close
        unload(window); // deleted later: the window being closed may still be in its handler
    }
    ended_ = true;
    if (services_.endProgram)
        services_.endProgram();
}

} // namespace chartola
