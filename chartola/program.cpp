#include "program.h"

#include "about_box.h"
#include "chart_window.h"
#include "companion/credits_window.h"
#include "dictionary_window.h"
#include "notes_window.h"

namespace chartola {

Program::Program(ProgramServices services) : services_(std::move(services)) {}

Program::~Program() {
    for (Window w : {Window::Form1, Window::Form2, Window::Form3, Window::Form4, Window::frmAbout})
        delete slot(w).data();
}

QPointer<QWidget>& Program::slot(Window window) {
    switch (window) {
    case Window::Form1:
        return form1_;
    case Window::Form2:
        return form2_;
    case Window::Form3:
        return form3_;
    case Window::Form4:
        return form4_;
    case Window::frmAbout:
        return about_;
    }
    return form1_;
}

QWidget* Program::widget(Window window) const {
    return const_cast<Program*>(this)->slot(window).data();
}

void Program::start() {
    show(Window::Form2);
}

QWidget* Program::load(Window window) {
    QPointer<QWidget>& w = slot(window);
    if (w || unloading_ || ended_)
        return w;
    switch (window) {
    case Window::Form1: {
        auto* chart = new Form1(*this);
        w = chart;
        chart->Form_Load();
        break;
    }
    case Window::Form3: {
        auto* dictionary = new Form3(*this);
        w = dictionary;
        dictionary->Form_Load();
        break;
    }
    case Window::Form2:
        w = new companion::Form2(
            companion::Flavour::Chartola, [this] { show(Window::Form3); }, [this] { unloadAll(); });
        break;
    case Window::Form4:
        w = new Form4(*this);
        break;
    case Window::frmAbout: {
        auto* about = new frmAbout(*this);
        w = about;
        about->Form_Load();
        // Beside the chart.
        if (QWidget* chart = widget(Window::Form1))
            about->move(chart->frameGeometry().topRight() + QPoint(8, 0));
        break;
    }
    }
    return w;
}

void Program::show(Window window) {
    if (QWidget* w = load(window))
        w->show();
}

void Program::hide(Window window) {
    if (QWidget* w = widget(window))
        w->hide();
}

Form1& Program::chart() {
    load(Window::Form1);
    return *static_cast<Form1*>(form1_.data());
}

Form3& Program::dictionary() {
    load(Window::Form3);
    return *static_cast<Form3*>(form3_.data());
}

void Program::unload(Window window) {
    QPointer<QWidget>& w = slot(window);
    if (!w)
        return;
    QWidget* gone = w;
    w = nullptr;
    gone->hide();
    gone->deleteLater();
}

void Program::unloadAll() {
    if (unloading_)
        return;
    unloading_ = true;
    for (Window window :
         {Window::Form1, Window::Form2, Window::Form3, Window::Form4, Window::frmAbout}) {
        if (auto* credits = qobject_cast<companion::Form2*>(widget(window)))
            credits->unload(); // closing it here is no user's close
        unload(window);        // deleted later: the window being closed may still be in its handler
    }
    ended_ = true;
    if (services_.endProgram)
        services_.endProgram();
}

} // namespace chartola
