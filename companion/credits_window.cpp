#include "credits_window.h"

#include "platform/fonts.h"
#include "platform/geometry.h"
#include "platform/pictures.h"
#include "platform/placement.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

#include <iterator>

namespace companion {
namespace {

struct CreditsText {
    Q_DECLARE_TR_FUNCTIONS(companion::CreditsText)
};

} // namespace

QString Form2::title(Flavour flavour) {
    const QString title = QStringLiteral(
        "Italy Thai Dictionary   by the Thai kit team - https://thai-kit.example.net");
    return flavour == Flavour::Vocaboro ? QString(8, QLatin1Char(' ')) + title : title;
}

Form2::Form2(Flavour flavour, std::function<void()> openWorkingWindow,
             std::function<void()> closedByFrame, QWidget* parent)
    : QWidget(parent), openWorkingWindow_(std::move(openWorkingWindow)),
      closedByFrame_(std::move(closedByFrame)) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(title(flavour));
    setWindowIcon(platform::loadIcon(flavour == Flavour::Vocaboro ? "vocaboro_icon.png"
                                                                  : "chartola_icon.png"));
    setFixedSize(platform::twipsToPixels(7365), platform::twipsToPixels(5145));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleDescription(CreditsText::tr("Press Enter or click to go on"));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // The pictures and labels, each clicked through its own handler.
    struct Picture {
        const char* name;
        const char* file;
        platform::Twips at;
        void (Form2::*click)();
    };
    const Picture pictures[] = {
        {"Picture1", "credits_temple.gif", {480, 240, 3000, 3930}, &Form2::Picture1_Click},
        {"Picture2", "credits_market.png", {4080, 240, 2970, 3390}, &Form2::Picture2_Click},
        {"Picture4", "credits_flag_it.png", {3840, 3960, 1020, 750}, &Form2::Picture4_Click},
        {"Picture5", "credits_flag_th.png", {6240, 3960, 1020, 750}, &Form2::Picture5_Click},
        {"Picture3", "credits_banner.png", {360, 4320, 3120, 495}, &Form2::Picture3_Click},
    };
    for (const Picture& p : pictures) {
        auto* picture = platform::place(new QLabel(this), p.name, p.at);
        picture->setAlignment(Qt::AlignCenter);
        picture->setAutoFillBackground(true);
        platform::showPicture(picture, p.file);
        clickHandlers_.insert(picture, p.click);
    }
    struct Caption {
        const char* name;
        const char* text;
        platform::Twips at;
        void (Form2::*click)();
    };
    static constexpr Caption captions[] = {
        {"Label1", "Vocaboro Dictionary", {4800, 3960, 1455, 735}, &Form2::Label1_Click},
        {"Label2", "Thai kit team 2026", {4560, 4800, 1935, 255}, &Form2::Label2_Click},
    };
    QLabel* shown[std::size(captions)] = {};
    for (std::size_t i = 0; i < std::size(captions); ++i) {
        const Caption& c = captions[i];
        shown[i] = platform::place(new QLabel(QLatin1String(c.text), this), c.name, c.at);
        shown[i]->setAlignment(Qt::AlignCenter);
        shown[i]->setStyleSheet(QStringLiteral("background-color: white; color: black;"));
        clickHandlers_.insert(shown[i], c.click);
    }
    QLabel* title = shown[0];
    title->setFont(platform::makeFont(platform::kSansFont, 12, true));
    title->setWordWrap(true); // the title takes two lines; the team's line stays on one
    for (QObject* control : clickHandlers_.keys())
        control->installEventFilter(this);
}

void Form2::clicked() {
    hide();
    if (openWorkingWindow_)
        openWorkingWindow_();
}

// Enter and Space do what a click does, for whoever has no mouse.
void Form2::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        Form_Click();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void Form2::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Form_Click();
}

bool Form2::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        if (mouse->button() == Qt::LeftButton && widget &&
            widget->rect().contains(mouse->position().toPoint())) {
            if (const auto handler = clickHandlers_.value(watched))
                (this->*handler)();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form2::unload() {
    unloading_ = true;
    close();
}

void Form2::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!unloading_ && closedByFrame_)
        closedByFrame_();
}

} // namespace companion
