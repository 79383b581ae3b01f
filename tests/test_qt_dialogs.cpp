// The real boxes, looked at without waiting on them: shown, measured, closed.

#include "platform/qt_dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// A window of the console's size, shown and active: the window that asks.
bool showAsTheConsole(QWidget& window) {
    window.setGeometry(0, 0, 632, 426);
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}

} // namespace

class TestQtDialogs : public QObject {
    Q_OBJECT
private slots:
    void inputBoxesShowTheirWholeTitle();
    void messageBoxesOpenCentredOnTheWindowThatAsks();
    void questionsInARowAreAskedRight();
};

void TestQtDialogs::inputBoxesShowTheirWholeTitle() {
    platform::QtDialogs dialogs;
    for (const QString& title :
         {QStringLiteral("Configure VOCABORO Dictionary"),
          QStringLiteral("Configure Chartola : location of file sound *.wav ")}) {
        const auto box =
            dialogs.makeInputBox(QStringLiteral("Path Folder of locate Sound File(*.wav) "), title,
                                 QStringLiteral("C:\\THAI\\"), 3000, 2000);
        box->show();
        QFont bold = box->font();
        bold.setBold(true);
        // The frame's icon and buttons take room beside the title as well.
        QVERIFY2(box->width() >= QFontMetrics(bold).horizontalAdvance(title) + 100,
                 qPrintable(title));
        QCOMPARE(box->pos(), QPoint(200, 133)); // where the program asks for it, in twips
        box->close();
    }
}

void TestQtDialogs::messageBoxesOpenCentredOnTheWindowThatAsks() {
    QWidget window;
    QVERIFY(showAsTheConsole(window));
    platform::QtDialogs dialogs;
    QCOMPARE(dialogs.askingWindow(), &window);
    const auto box = dialogs.makeMessageBox(
        QStringLiteral("Wish insert another translate of this word ? (y/n)"),
        {platform::Buttons::YesNo, platform::Icon::Question, platform::DefaultButton::Second},
        QStringLiteral("Vocaboro Search Engime"));
    QCOMPARE(box->parentWidget(), &window);
    QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
    box->show();
    const QPoint offset = box->frameGeometry().center() - window.frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 4,
             qPrintable(QStringLiteral("%1, %2 from the middle").arg(offset.x()).arg(offset.y())));
    box->close();
    // A hidden window asks nothing: the box has no window to stand on.
    window.hide();
    QCOMPARE(dialogs.askingWindow(), nullptr);
    // A window given as the parent asks, whichever window is active.
    QWidget other;
    other.show();
    platform::QtDialogs owned(&other);
    QCOMPARE(owned.askingWindow(), &other);
}

void TestQtDialogs::questionsInARowAreAskedRight() {
    // Questions of every style in a row, each answered as it waits, as a person would: each
    // box has its own buttons, default and title, as wide as the title, on the window.
    QWidget window;
    QVERIFY(showAsTheConsole(window));
    platform::QtDialogs dialogs;
    // Once the folder is asked for, the questions' box is made, hidden, on the window, and
    // each question shows in it, its window made before it is asked.
    QTimer::singleShot(0, [] {
        if (auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget()))
            box->accept();
    });
    dialogs.inputBox(QStringLiteral("Path Folder"), QStringLiteral("Configure VOCABORO"),
                     QStringLiteral("C:\\THAI\\"), 3000, 2000);
    QCoreApplication::processEvents();
    const QList<QMessageBox*> made = window.findChildren<QMessageBox*>();
    QCOMPARE(made.size(), 1);
    QVERIFY(!made[0]->isVisible() && made[0]->testAttribute(Qt::WA_WState_Created));
    using platform::Answer, platform::Buttons, platform::DefaultButton, platform::Icon;
    const struct {
        platform::MessageStyle style;
        QString title;
        QMessageBox::StandardButton expectedDefault;
        QMessageBox::StandardButton pressed;
        Answer answer;
    } questions[] = {
        {{Buttons::YesNo, Icon::Question, DefaultButton::Second},
         QStringLiteral("Vocaboro Search Engime"),
         QMessageBox::No,
         QMessageBox::Yes,
         Answer::Yes},
        {{Buttons::Ok, Icon::Stop},
         QStringLiteral("vocaboro"),
         QMessageBox::Ok,
         QMessageBox::Ok,
         Answer::Ok},
        {{Buttons::YesNo, Icon::Question, DefaultButton::First},
         QStringLiteral("ITALY Vocable List : LEXFWD_B.DAT and a long title"),
         QMessageBox::Yes,
         QMessageBox::No,
         Answer::No},
    };
    for (const auto& q : questions) {
        QString problem = QStringLiteral("not asked");
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            QFont bold = box->font();
            bold.setBold(true);
            const QList<QAbstractButton*> buttons = box->buttons();
            problem =
                box != made[0]                   ? QStringLiteral("a new box")
                : box->parentWidget() != &window ? QStringLiteral("not on the window")
                : box->windowTitle() != q.title  ? QStringLiteral("title ") + box->windowTitle()
                : box->defaultButton() != box->button(q.expectedDefault) ? QStringLiteral("default")
                : buttons.size() != (q.style.buttons == Buttons::Ok ? 1 : 2)
                    ? QStringLiteral("%1 buttons").arg(buttons.size())
                : box->width() < QFontMetrics(bold).horizontalAdvance(q.title) + 100
                    ? QStringLiteral("narrower than its title")
                    : QString();
            box->button(q.pressed)->click();
        });
        QCOMPARE(dialogs.messageBox(QStringLiteral("Continue List...?"), q.style, q.title),
                 q.answer);
        QCOMPARE(problem, QString());
        QCoreApplication::processEvents();
        QVERIFY(!made[0]->isVisible() && made[0]->testAttribute(Qt::WA_WState_Created));
    }
}

QTEST_MAIN(TestQtDialogs)
#include "test_qt_dialogs.moc"
