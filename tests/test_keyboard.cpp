// Both programs without a mouse: Tab reaches every button, the focused button shows a mark,
// Enter and Space press it, and the credits window opens the working window from the keys.

#include "chartola_fixture.h"

#include "chartola/chart_window.h"
#include "companion/credits_window.h"
#include "platform/test_doubles.h"
#include "real_input.h"
#include "ripasso/drill_page.h"
#include "ripasso/review_page.h"
#include "ripasso_fixture.h"
#include "test_support.h"
#include "vocaboro/console_window.h"
#include "vocaboro/program.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalSpy>

#include <memory>

namespace {

// Pixels that differ clearly between two looks of the same button.
int clearlyDifferent(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return a.width() * a.height();
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            if (std::max({std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                          std::abs(p.blue() - q.blue())}) > 48)
                ++count;
        }
    return count;
}

// Presses Tab until the focus comes round again. Every button it reaches must look different
// while it has the focus, and Enter and Space must each click it once: its own handlers are
// taken off first, so that nothing else happens. Every button shown must be reached; with a
// `ring` (the entry panel while it is open), Tab stays among its buttons, and those are all
// that must be reached.
QStringList walkTheButtons(QWidget* window, QWidget* ring = nullptr) {
    QStringList problems;
    if (!real::activate(window))
        return {window->objectName() + QStringLiteral(" did not become active")};
    QMap<QAbstractButton*, QImage> focusedLook;
    QMap<QAbstractButton*, QImage> plainLook;
    QList<QWidget*> seen;
    QAbstractButton* previous = nullptr;
    for (int step = 0; step < 200; ++step) {
        real::press(Qt::Key_Tab);
        QWidget* now = real::focused();
        if (previous && previous != now)
            plainLook[previous] = previous->grab().toImage();
        previous = nullptr;
        if (!now || now->window() != window) {
            problems.append(QStringLiteral("Tab left the window"));
            break;
        }
        if (ring && !ring->isAncestorOf(now)) {
            problems.append(now->objectName() + QStringLiteral(": Tab left the panel for it"));
            break;
        }
        if (seen.contains(now))
            break;
        seen.append(now);
        auto* button = qobject_cast<QAbstractButton*>(now);
        if (!button)
            continue;
        focusedLook[button] = button->grab().toImage();
        previous = button;
        QObject::disconnect(button, &QAbstractButton::clicked, nullptr, nullptr);
        QSignalSpy clicks(button, &QAbstractButton::clicked);
        real::press(Qt::Key_Return);
        real::press(Qt::Key_Enter);
        real::press(Qt::Key_Space);
        if (clicks.count() != 3)
            problems.append(
                button->objectName() +
                QStringLiteral(": %1 clicks for Enter, Enter and Space").arg(clicks.count()));
        if (real::focused() != button)
            problems.append(button->objectName() + QStringLiteral(": lost the focus"));
    }
    if (QWidget* last = real::focused()) {
        last->clearFocus(); // the only button of its window had no other look yet
        if (auto* button = qobject_cast<QAbstractButton*>(last);
            button && !plainLook.contains(button))
            plainLook[button] = button->grab().toImage();
    }
    for (QAbstractButton* button : (ring ? ring : window)->findChildren<QAbstractButton*>()) {
        if (!button->isVisible() || !button->isEnabled())
            continue;
        if (!focusedLook.contains(button)) {
            problems.append(button->objectName() + QStringLiteral(": Tab never reaches it"));
            continue;
        }
        if (plainLook.contains(button) &&
            clearlyDifferent(focusedLook[button], plainLook[button]) < 16)
            problems.append(button->objectName() + QStringLiteral(": no visible focus mark"));
    }
    return problems;
}

struct Vocaboro {
    QTemporaryDir dir;
    platform::ScriptedDialogs dialogs;
    bool ended = false;
    platform::RecordingSpeech speech;
    vocaboro::Program program{dialogs, speech, dir.path().toStdString(), [this] { ended = true; }};
    Vocaboro() {
        platform::installFontSubstitutes();
        program.start();
    }
    vocaboro::Form1& open() {
        dialogs.expectInput(QStringLiteral("Path Folder"), dir.path() + QLatin1Char('/'));
        program.credits()->Form_Click();
        return *program.console();
    }
    template <typename T> T* control(const char* name) {
        return findControl<T>(program.console(), name);
    }
    void click(const char* name) { control<QAbstractButton>(name)->click(); }
};

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoQuestionLeftOver(); }
    void vocaboroButtonsByKeys();
    void chartolaButtonsByKeys();
    void ripassoButtonsByKeysAndNamesForAll();
    void creditsOpenTheWorkingWindowWithEnterOrSpace();
    void everyBoxHasANameAndTheLoadsDiffer();
};

void TestKeyboard::vocaboroButtonsByKeys() {
    // Each screen of the console in a program of its own: the walk takes the handlers off.
    const QList<std::function<void(Vocaboro&)>> screens = {
        [](Vocaboro&) {},                            // main screen
        [](Vocaboro& v) { v.click("Command3D10"); }, // input
        [](Vocaboro& v) { v.click("Command5"); },    // entry panel
        [](Vocaboro& v) { v.click("Command3"); },    // first help page
        [](Vocaboro& v) {
            v.click("Command3");
            v.click("Command1");
        },                // second help page
        [](Vocaboro& v) { // ready to write
            v.click("Command5");
            v.control<QLineEdit>("Text1")->setText(QStringLiteral("casa"));
            v.control<QLineEdit>("Text4")->setText(QStringLiteral("baan"));
            v.click("Command3D5");
        },
        [](Vocaboro& v) { // written
            v.click("Command5");
            v.control<QLineEdit>("Text1")->setText(QStringLiteral("casa"));
            v.control<QLineEdit>("Text4")->setText(QStringLiteral("baan"));
            v.click("Command3D5");
            v.click("Command3D3");
        },
    };
    for (int i = 0; i < screens.size(); ++i) {
        Vocaboro v;
        vocaboro::Form1& console = v.open();
        screens[i](v);
        QVERIFY2(v.dialogs.problems().isEmpty(), qPrintable(v.dialogs.problems().join('\n')));
        // The entry panel keeps Tab among its own controls (screens 2, 5 and 6).
        auto* panel = console.findChild<QWidget*>(QStringLiteral("entryPanel"));
        const QStringList problems = walkTheButtons(&console, panel->isVisible() ? panel : nullptr);
        QVERIFY2(problems.isEmpty(), qPrintable(QStringLiteral("screen %1: ").arg(i) +
                                                problems.join(QLatin1Char('\n'))));
    }
}

void TestKeyboard::chartolaButtonsByKeys() {
    for (chartola::Window window : {chartola::Window::Form3, chartola::Window::Form1,
                                    chartola::Window::Form4, chartola::Window::frmAbout}) {
        ChartolaFixture f;
        f.start();
        if (window != chartola::Window::Form3) {
            f.dialogs.expectInput(QStringLiteral("Sound File"), QStringLiteral("C:\\THAI\\"));
            f.program.dictionary().Command1_Click();
        }
        if (window == chartola::Window::frmAbout)
            f.program.chart().Command47_Click();
        f.program.show(window);
        const QStringList problems = walkTheButtons(f.program.widget(window));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
        QCOMPARE(f.dialogs.problems(), QStringList());
    }
    // Enter on a focused letter shows its reading, as a click does.
    ChartolaFixture f;
    f.start();
    f.dialogs.expectInput(QStringLiteral("Sound File"), QStringLiteral("C:\\THAI\\"));
    f.program.dictionary().Command1_Click();
    chartola::Form1& chart = f.program.chart();
    QVERIFY(real::activate(&chart));
    chart.findChild<QWidget*>(QStringLiteral("Command1"))->setFocus(Qt::TabFocusReason);
    real::press(Qt::Key_Return);
    QCOMPARE(chart.findChild<QLineEdit*>(QStringLiteral("Text1"))->text(),
             QString::fromUtf16(u"ko-kài"));
    real::press(Qt::Key_Tab);
    real::press(Qt::Key_Space);
    QCOMPARE(chart.findChild<QLineEdit*>(QStringLiteral("Text1"))->text(),
             QString::fromUtf16(u"kô-kài"));
}

void TestKeyboard::ripassoButtonsByKeysAndNamesForAll() {
    const QList<std::function<void(ripasso::MainWindow&)>> pages = {
        [](ripasso::MainWindow&) {},                                             // start page
        [](ripasso::MainWindow& w) { w.startDrill(ripasso::DrillKind::Sound); }, // a question
        [](ripasso::MainWindow& w) { // the round's result
            w.startDrill(ripasso::DrillKind::Class);
            for (int i = 0; i < ripasso::kQuestionsPerRound; ++i) {
                w.drillPage().answer(0);
                w.drillPage().next();
            }
        },
        [](ripasso::MainWindow& w) { // a card's back
            w.startReview();
            w.reviewPage().showBack();
        },
    };
    for (int i = 0; i < pages.size(); ++i) {
        RipassoFixture f;
        f.write("LEXFWD_C.DAT", {{"casa", "baan", "s.f.", "-", "\xBA\xE9\xD2\xB9", "$", "$"}});
        ripasso::MainWindow& window = f.open();
        if (i == 1 || i == 2)
            f.dialogs.expectInput(QStringLiteral("sounds"), QStringLiteral(STARTER_FOLDER "/"));
        pages[i](window);
        // Every control has a name; every one a person reads or uses, one for screen readers.
        for (QWidget* w : window.findChildren<QWidget*>()) {
            if (!w->isVisible() || w->objectName().startsWith(QLatin1String("qt_")))
                continue;
            QVERIFY2(!w->objectName().isEmpty(), w->metaObject()->className());
            const bool read =
                qobject_cast<QAbstractButton*>(w) ||
                (qobject_cast<QLabel*>(w) && !static_cast<QLabel*>(w)->text().isEmpty());
            QVERIFY2(!read || !QAccessible::queryAccessibleInterface(w)
                                   ->text(QAccessible::Name)
                                   .trimmed()
                                   .isEmpty(),
                     qPrintable(w->objectName()));
        }
        const QStringList problems = walkTheButtons(&window);
        QVERIFY2(problems.isEmpty(),
                 qPrintable(QStringLiteral("page %1: ").arg(i) + problems.join(QLatin1Char('\n'))));
    }
}

void TestKeyboard::creditsOpenTheWorkingWindowWithEnterOrSpace() {
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        Vocaboro v;
        QVERIFY(real::activate(v.program.credits()));
        v.dialogs.expectInput(QStringLiteral("Path Folder"), v.dir.path());
        real::press(key);
        QVERIFY(v.program.console() && v.program.console()->isVisible());
        QVERIFY(v.program.credits()->isHidden());
        QCOMPARE(v.dialogs.problems(), QStringList());

        ChartolaFixture f;
        f.program.start();
        QVERIFY(real::activate(f.program.widget(chartola::Window::Form2)));
        f.dialogs.expectInput(QStringLiteral("DataBase"), f.folder());
        real::press(key);
        QVERIFY(f.program.isLoaded(chartola::Window::Form3));
        QVERIFY(f.program.widget(chartola::Window::Form2)->isHidden());
        QCOMPARE(f.dialogs.problems(), QStringList());
    }
    // Other keys do nothing.
    Vocaboro v;
    QVERIFY(real::activate(v.program.credits()));
    real::press(Qt::Key_A);
    real::press(Qt::Key_Tab);
    QVERIFY(!v.program.console());
    QVERIFY(v.program.credits()->isVisible());
}

namespace {

// Text boxes and drop-downs shown without a name for screen readers.
QStringList unnamedBoxes(QWidget* window) {
    QStringList unnamed;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const bool box = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                         qobject_cast<QPlainTextEdit*>(w);
        if (!box || !w->isVisibleTo(window) || qobject_cast<QComboBox*>(w->parentWidget()))
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w);
        if (!accessible || accessible->text(QAccessible::Name).trimmed().isEmpty())
            unnamed.append(w->objectName());
    }
    return unnamed;
}

} // namespace

void TestKeyboard::everyBoxHasANameAndTheLoadsDiffer() {
    Vocaboro v;
    vocaboro::Form1& console = v.open();
    console.show();
    v.click("Command3D10");
    QCOMPARE(unnamedBoxes(&console), QStringList());
    v.click("Command5");
    QCOMPARE(unnamedBoxes(&console), QStringList());
    // Two buttons read "End": the panel's closes it, the console's ends the program.
    auto spoken = [&v](const char* name) {
        QAccessibleInterface* button =
            QAccessible::queryAccessibleInterface(v.control<QWidget>(name));
        return button->text(QAccessible::Name) + QLatin1Char('|') +
               button->text(QAccessible::Description);
    };
    QVERIFY(spoken("Command4") != spoken("Command3D6"));

    ChartolaFixture f;
    chartola::Form3& dictionary = f.start();
    dictionary.show();
    QCOMPARE(unnamedBoxes(&dictionary), QStringList());
    const QString forward =
        dictionary.findChild<QWidget*>(QStringLiteral("Command5"))->accessibleName();
    const QString reverse =
        dictionary.findChild<QWidget*>(QStringLiteral("Command6"))->accessibleName();
    QVERIFY(!forward.isEmpty());
    QVERIFY(forward != reverse);
    QCOMPARE(dictionary.findChild<QAbstractButton*>(QStringLiteral("Command6"))->text(),
             QStringLiteral("Load all..")); // the captions stay as they are
    f.dialogs.expectInput(QStringLiteral("Sound File"), QStringLiteral("C:\\THAI\\"));
    dictionary.Command1_Click();
    QCOMPARE(unnamedBoxes(&f.program.chart()), QStringList());
    f.program.show(chartola::Window::Form4);
    QCOMPARE(unnamedBoxes(f.program.widget(chartola::Window::Form4)), QStringList());
    QCOMPARE(f.dialogs.problems(), QStringList());
}

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
