// The real boxes, looked at without waiting on them: shown, measured, closed.

#include "platform/qt_dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

class TestQtDialogs : public QObject {
    Q_OBJECT
private slots:
    void inputBoxesShowTheirWholeTitle();
    void messageBoxesOpenCentredOnTheWindowThatAsks();
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
    window.setGeometry(0, 0, 632, 426);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
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

QTEST_MAIN(TestQtDialogs)
#include "test_qt_dialogs.moc"
