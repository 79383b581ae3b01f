// Every caption of every window fits its control, at twice the scale as at the normal one:
// no clipped caption, no Thai glyph cut.

#include "chartola_fixture.h"

#include "chartola/about_box.h"
#include "chartola/chart_window.h"
#include "chartola/notes_window.h"
#include "companion/credits_window.h"
#include "platform/wrap_button.h"
#include "vocaboro/console_window.h"
#include "vocaboro/program.h"

#include <QLabel>
#include <QPushButton>

namespace {

QStringList clipped(QWidget* window) {
    QStringList problems;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->isHidden() || !w->isVisibleTo(window))
            continue;
        const QRect inside = w->contentsRect().adjusted(1, 0, -1, 0);
        const QFontMetrics metrics(w->font());
        QString text;
        bool fits = true;
        if (auto* label = qobject_cast<QLabel*>(w);
            label && label->pixmap().isNull() && !label->text().isEmpty()) {
            text = label->text();
            fits = label->wordWrap()
                       ? metrics.boundingRect(inside, Qt::TextWordWrap | label->alignment(), text)
                                 .height() <= inside.height() + 2
                       : metrics.horizontalAdvance(text) <= inside.width();
        } else if (auto* wrap = qobject_cast<platform::WrapButton*>(w)) {
            text = wrap->text();
            const int iconHeight = wrap->icon().isNull() ? 0 : wrap->iconSize().height() + 4;
            fits = metrics
                       .boundingRect(inside.adjusted(2, 0, -2, 0),
                                     Qt::TextWordWrap | Qt::AlignCenter, text)
                       .height() <= inside.height() - iconHeight;
        } else if (auto* button = qobject_cast<QPushButton*>(w);
                   button && !button->text().isEmpty()) {
            text = button->text();
            const int iconWidth = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
            QString plain = text;
            plain.remove(QLatin1Char('&'));
            fits = metrics.tightBoundingRect(plain).width() + iconWidth <= inside.width() - 4 &&
                   metrics.tightBoundingRect(plain).height() <= inside.height();
        }
        if (!fits)
            problems.append(w->objectName() + QStringLiteral(": ") + text.left(40));
    }
    return problems;
}

} // namespace

class TestCaptionsFit : public QObject {
    Q_OBJECT
private slots:
    void chartolaWindows();
    void vocaboroWindows();
};

void TestCaptionsFit::chartolaWindows() {
    ChartolaFixture f;
    f.program.start();
    QCOMPARE(clipped(f.program.widget(chartola::Window::Form2)), QStringList());
    f.dialogs.expectInput(QStringLiteral("DataBase"), f.folder());
    QTest::mouseClick(f.program.widget(chartola::Window::Form2), Qt::LeftButton);
    QCOMPARE(clipped(&f.program.dictionary()), QStringList());
    f.dialogs.expectInput(QStringLiteral("Sound File"), QStringLiteral("C:\\THAI\\"));
    f.program.dictionary().Command1_Click();
    QCOMPARE(clipped(&f.program.chart()), QStringList());
    f.program.chart().Command47_Click();
    QCOMPARE(clipped(f.program.widget(chartola::Window::frmAbout)), QStringList());
    f.program.show(chartola::Window::Form4);
    QCOMPARE(clipped(f.program.widget(chartola::Window::Form4)), QStringList());
}

void TestCaptionsFit::vocaboroWindows() {
    QTemporaryDir dir;
    platform::ScriptedDialogs dialogs;
    vocaboro::Program program(dialogs, dir.path().toStdString(), [] {});
    program.start();
    QCOMPARE(clipped(program.credits()), QStringList());
    dialogs.expectInput(QStringLiteral("Path Folder"), dir.path() + QLatin1Char('/'));
    program.credits()->Form_Click();
    vocaboro::Form1& console = *program.console();
    QCOMPARE(clipped(&console), QStringList());
    console.Command3D10_Click();
    QCOMPARE(clipped(&console), QStringList());
    console.Command5_Click(); // the entry panel
    QCOMPARE(clipped(&console), QStringList());
    console.Command3D8_Click();
    console.Command3_Click(); // a help page
    QCOMPARE(clipped(&console), QStringList());
}

QTEST_MAIN(TestCaptionsFit)
#include "test_captions_fit.moc"
