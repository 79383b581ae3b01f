#include "credits_window.h"

#include "platform/fonts.h"
#include "platform/geometry.h"
#include "platform/pictures.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

using platform::twipsRect;

namespace companion {

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
    setAccessibleDescription(QStringLiteral("Press Enter or click to go on"));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    auto picture = [this](const char* name, const char* file, int l, int t, int w, int h) {
        auto* label = new QLabel(this);
        label->setObjectName(QLatin1String(name));
        label->setGeometry(twipsRect(l, t, w, h));
        label->setAlignment(Qt::AlignCenter);
        label->setAutoFillBackground(true);
        platform::showPicture(label, file);
        label->installEventFilter(this);
        return label;
    };
    picture("Picture1", "credits_temple.gif", 480, 240, 3000, 3930);
    picture("Picture2", "credits_market.png", 4080, 240, 2970, 3390);
    picture("Picture4", "credits_flag_it.png", 3840, 3960, 1020, 750);
    picture("Picture5", "credits_flag_th.png", 6240, 3960, 1020, 750);
    picture("Picture3", "credits_banner.png", 360, 4320, 3120, 495);

    auto label = [this](const char* name, const QString& text, int l, int t, int w, int h) {
        auto* lab = new QLabel(text, this);
        lab->setObjectName(QLatin1String(name));
        lab->setGeometry(twipsRect(l, t, w, h));
        lab->setAlignment(Qt::AlignCenter);
        lab->setWordWrap(true);
        lab->setStyleSheet(QStringLiteral("background-color: white; color: black;"));
        lab->installEventFilter(this);
        return lab;
    };
    QLabel* label1 = label("Label1", QStringLiteral("Vocaboro Dictionary"), 4800, 3960, 1455, 735);
    label1->setFont(platform::makeFont(platform::kSansFont, 12, true));
    label("Label2", QStringLiteral("Thai kit team 2026"), 4560, 4800, 1935, 255)
        ->setWordWrap(false);
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
            clicked(); // a picture or a label: all alike
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
