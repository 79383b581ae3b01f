// What a screen reader hears of the working pages, read through Qt's accessibility tree as
// one reads it: every shown text is heard, the card's word among them; a new card, a drill's
// answer, a refused check and a written entry are told as they show, and nothing stale stays.

#include "console_fixture.h"
#include "real_input.h"
#include "ripasso_fixture.h"

#include "ripasso/drill_page.h"
#include "ripasso/words_page.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

namespace {

// The names changed and the objects shown, as a screen reader is told of them.
QStringList told;

void listen(QAccessibleEvent* event) {
    if (event->type() == QAccessible::NameChanged || event->type() == QAccessible::ObjectShow)
        told << QStringLiteral("%1 %2 %3")
                    .arg(event->type() == QAccessible::NameChanged ? "name" : "shown",
                         event->object()->objectName(),
                         event->accessibleInterface()->text(QAccessible::Name));
}

// Qt's accessibility switched on, as a screen reader switches it on, for one test.
struct ScreenReader {
    QPlatformAccessibility* platform =
        QGuiApplicationPrivate::platformIntegration()->accessibility();
    ScreenReader() {
        platform->setActive(true);
        told.clear();
        QAccessible::installUpdateHandler(listen);
    }
    ~ScreenReader() {
        QAccessible::installUpdateHandler(nullptr);
        platform->setActive(false);
    }
};

QAccessibleInterface* tree(QWidget* w) {
    return QAccessible::queryAccessibleInterface(w);
}

QString heard(QWidget* w) {
    return tree(w)->text(QAccessible::Name) + QLatin1Char(' ') +
           tree(w)->text(QAccessible::Description);
}

// The shown labels and buttons of `window` with a word that a screen reader does not hear.
QStringList unheard(QWidget* window) {
    static const QRegularExpression between(QStringLiteral("[\\s\\p{P}\\p{S}]+"));
    QStringList missing;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const auto* label = qobject_cast<QLabel*>(w);
        const auto* button = qobject_cast<QAbstractButton*>(w);
        if (!w->isVisible() || (!label && !button))
            continue;
        const QString shown = (label ? label->text() : button->text()).remove(QLatin1Char('&'));
        for (const QString& word : shown.split(between, Qt::SkipEmptyParts))
            if (!heard(w).contains(word))
                missing << w->objectName() + QStringLiteral(": ") + word;
    }
    return missing;
}

} // namespace

#define QVERIFY_HEARD(window)                                                                      \
    do {                                                                                           \
        const QStringList missing = unheard(window);                                               \
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));               \
    } while (false)

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void ripassoPagesAreHeardAsTheyShow();
    void vocaboroTellsTheCheckAndTheWrittenRecords();
};

void TestAccessibility::ripassoPagesAreHeardAsTheyShow() {
    ScreenReader reader;
    RipassoFixture f;
    f.write("LEXFWD_C.DAT", {{"casa", "baan", "s.f.", "-", "\xBA\xE9\xD2\xB9", "$", "$"},
                             {"cane", "maa", "s.m.", "-", "@", "$", "$"}});
    ripasso::MainWindow& window = f.open();
    QVERIFY(real::activate(&window));
    QVERIFY_HEARD(&window);
    QVERIFY(heard(f.control<QWidget>("wordsSummary")).contains("4 new"));

    // The review: the card's word is in the tree, and the focused button tells each side.
    real::press(Qt::Key_Return);
    QCOMPARE(tree(f.control<QWidget>("frontText"))->text(QAccessible::Name), "casa");
    QVERIFY(heard(real::focused()).contains("casa"));
    QVERIFY_HEARD(&window);
    real::press(Qt::Key_Space);
    QVERIFY(heard(real::focused()).contains(QStringLiteral("baan, บ้าน, s.f.")));
    QVERIFY_HEARD(&window);
    told.clear();
    real::press(Qt::Key_3);
    QVERIFY2(told.contains("name frontText cane"), qPrintable(told.join('\n')));
    real::press(Qt::Key_Escape);

    // A drill: the answer's feedback is an alert, told as it shows, gone at the next question.
    f.dialogs.expectInput(QStringLiteral("sounds"), QStringLiteral(STARTER_FOLDER "/"));
    real::press(Qt::Key_E, Qt::AltModifier);
    QTRY_VERIFY(window.drillPage().isVisible());
    auto* feedback = f.control<QLabel>("feedback");
    for (int i = 0; i < ripasso::kQuestionsPerRound; ++i) {
        QVERIFY_HEARD(&window);
        QVERIFY(feedback->isHidden());
        QCOMPARE(tree(feedback)->text(QAccessible::Name), QString()); // nothing stale
        told.clear();
        real::press(Qt::Key_1);
        QCOMPARE(tree(feedback)->role(), QAccessible::AlertMessage);
        QVERIFY2(told.contains("shown feedback " + feedback->text()), qPrintable(told.join('\n')));
        QVERIFY_HEARD(&window);
        real::press(Qt::Key_Return);
    }
    QVERIFY_HEARD(&window); // the round's result
    real::press(Qt::Key_Escape);
    real::press(Qt::Key_W, Qt::AltModifier);
    QTRY_VERIFY(window.wordsPage().isVisible());
    QVERIFY_HEARD(&window);
}

void TestAccessibility::vocaboroTellsTheCheckAndTheWrittenRecords() {
    ScreenReader reader;
    ConsoleFixture f;
    f.start();
    f.control<QPushButton>("Command5")->click();
    // Two buttons read "End"; a screen reader tells them apart.
    const QString endProgram = heard(f.control<QWidget>("Command4"));
    const QString endPanel = heard(f.control<QWidget>("Command3D6"));
    QVERIFY2(endProgram.contains("End") && endPanel.contains("End") &&
                 tree(f.control<QWidget>("Command4"))->text(QAccessible::Name) !=
                     tree(f.control<QWidget>("Command3D6"))->text(QAccessible::Name),
             qPrintable(endProgram + " / " + endPanel));

    // Each refusal of the check is told, the second while the first still shows.
    auto* error = f.control<QLabel>("Label12");
    for (int i = 0; i < 2; ++i) {
        told.clear();
        QTest::mouseClick(f.control<QWidget>("Command3D5"), Qt::LeftButton);
        QCOMPARE(tree(error)->role(), QAccessible::AlertMessage);
        QVERIFY(!error->text().isEmpty());
        QCOMPARE(told.filter("shown Label12"), QStringList{"shown Label12 " + error->text()});
    }
    QTest::keyClicks(f.control<QLineEdit>("Text1"), QStringLiteral("casa"));
    QTest::keyClicks(f.control<QLineEdit>("Text4"), QStringLiteral("baan"));
    QTest::mouseClick(f.control<QWidget>("Command3D5"), Qt::LeftButton);
    told.clear();
    QTest::mouseClick(f.control<QWidget>("Command3D3"), Qt::LeftButton);
    for (const char* record : {"Label11", "Label13"}) {
        auto* label = f.control<QLabel>(record);
        QVERIFY(label->text().contains("casa"));
        QCOMPARE(tree(label)->role(), QAccessible::AlertMessage);
        QVERIFY2(told.contains(QStringLiteral("shown %1 %2").arg(record, label->text())),
                 qPrintable(told.join('\n')));
    }
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
