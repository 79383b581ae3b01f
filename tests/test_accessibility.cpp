// What a screen reader hears, read through Qt's accessibility tree: every shown text, the
// card's word among them; what is told as it changes or shows; nothing stale left behind.

#include "console_fixture.h"
#include "real_input.h"
#include "ripasso_fixture.h"

#include "ripasso/drill_page.h"
#include "ripasso/words_page.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

namespace {

QStringList told; // "name OBJECT NAME" and "shown OBJECT NAME", as a screen reader is told

// Qt's accessibility switched on as a screen reader switches it on, for one test.
struct ScreenReader {
    QPlatformAccessibility* platform =
        QGuiApplicationPrivate::platformIntegration()->accessibility();
    ScreenReader() {
        platform->setActive(true);
        told.clear();
        QAccessible::installUpdateHandler([](QAccessibleEvent* e) {
            if (e->type() == QAccessible::NameChanged || e->type() == QAccessible::ObjectShow)
                told << QStringLiteral("%1 %2 %3")
                            .arg(e->type() == QAccessible::NameChanged ? "name" : "shown",
                                 e->object()->objectName(),
                                 e->accessibleInterface()->text(QAccessible::Name));
        });
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
    return tree(w)->text(QAccessible::Name) + ' ' + tree(w)->text(QAccessible::Description);
}

// "OBJECT: WORD" for each word shown by a visible label or button that is not heard.
QString unheard(QWidget* window) {
    static const QRegularExpression between(QStringLiteral("[\\s\\p{P}\\p{S}]+"));
    QStringList missing;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const auto* label = qobject_cast<QLabel*>(w);
        const auto* button = qobject_cast<QAbstractButton*>(w);
        const QString shown = label ? label->text() : button ? button->text() : QString();
        if (label && w->isVisible() && shown.isEmpty() && label->pixmap().isNull())
            missing << w->objectName() + ": nothing, yet shown"; // heard as a stray name
        for (const QString& word : QString(shown).remove('&').split(between, Qt::SkipEmptyParts))
            if (w->isVisible() && !heard(w).contains(word))
                missing << w->objectName() + ": " + word;
    }
    return missing.join(", ");
}

} // namespace

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
    QCOMPARE(unheard(&window), QString());
    // The review: the card's word is in the tree, and the focused button tells each side.
    real::press(Qt::Key_Return);
    QCOMPARE(tree(f.control<QWidget>("frontText"))->text(QAccessible::Name), "casa");
    QVERIFY(heard(real::focused()).contains("casa"));
    QCOMPARE(unheard(&window), QString());
    real::press(Qt::Key_Space);
    QVERIFY(heard(real::focused()).contains(QStringLiteral("baan, บ้าน, s.f.")));
    QCOMPARE(unheard(&window), QString());
    real::press(Qt::Key_3);
    QVERIFY2(told.contains("name frontText cane"), qPrintable(told.join('\n')));
    // A drill: the feedback is an alert told as it shows, gone at the next question.
    real::press(Qt::Key_Escape);
    f.dialogs.expectInput(QStringLiteral("sounds"), QStringLiteral(STARTER_FOLDER "/"));
    real::press(Qt::Key_E, Qt::AltModifier);
    QTRY_VERIFY(window.drillPage().isVisible());
    auto* feedback = f.control<QLabel>("feedback");
    for (int i = 0; i < ripasso::kQuestionsPerRound; ++i) {
        QCOMPARE(tree(feedback)->text(QAccessible::Name), QString());
        told.clear();
        real::press(Qt::Key_1);
        QCOMPARE(tree(feedback)->role(), QAccessible::AlertMessage);
        QVERIFY(told.contains("shown feedback " + feedback->text()));
        QCOMPARE(unheard(&window), QString());
        real::press(Qt::Key_Return);
        QCOMPARE(unheard(&window), QString()); // the next question, or the round's result
    }
    real::press(Qt::Key_Escape);
    real::press(Qt::Key_W, Qt::AltModifier);
    QTRY_VERIFY(window.wordsPage().isVisible());
    QCOMPARE(unheard(&window), QString());
}

void TestAccessibility::vocaboroTellsTheCheckAndTheWrittenRecords() {
    ScreenReader reader;
    ConsoleFixture f;
    f.start();
    f.control<QPushButton>("Command5")->click();
    QVERIFY(f.control<QWidget>("Label1")->isVisible());
    QCOMPARE(unheard(&f.form()), QString());
    // The two "End" buttons are told apart.
    QVERIFY(heard(f.control<QWidget>("Command4")).startsWith("End Vocaboro"));
    QVERIFY(heard(f.control<QWidget>("Command3D6")).startsWith("End the new word"));
    // Each refusal of the check is told, the second while the first still shows.
    auto* error = f.control<QLabel>("Label12");
    for (int i = 0; i < 2; ++i) {
        told.clear();
        QTest::mouseClick(f.control<QWidget>("Command3D5"), Qt::LeftButton);
        QCOMPARE(tree(error)->role(), QAccessible::AlertMessage);
        QCOMPARE(told.filter("shown Label12"), QStringList{"shown Label12 " + error->text()});
    }
    QTest::keyClicks(f.control<QLineEdit>("Text1"), QStringLiteral("casa"));
    QTest::keyClicks(f.control<QLineEdit>("Text4"), QStringLiteral("baan"));
    QTest::mouseClick(f.control<QWidget>("Command3D5"), Qt::LeftButton);
    QTest::mouseClick(f.control<QWidget>("Command3D3"), Qt::LeftButton);
    QCOMPARE(unheard(&f.form()), QString());
    for (const char* record : {"Label11", "Label13"}) {
        auto* label = f.control<QLabel>(record);
        QCOMPARE(tree(label)->role(), QAccessible::AlertMessage);
        QVERIFY(label->text().contains("casa") &&
                told.contains(QStringLiteral("shown %1 %2").arg(record, label->text())));
    }
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
