// Every caption of every window fits its control, at twice the scale as at the normal one, the
// captions the programs set while they run included: no clipped caption, no Thai glyph cut, no
// text box that hides the start of its text. Colours are drawn flat as given, and text reads on
// its background.

#include "chartola_fixture.h"
#include "ripasso_fixture.h"
#include "test_support.h"

#include "chartola/about_box.h"
#include "chartola/chart_window.h"
#include "chartola/notes_window.h"
#include "companion/credits_window.h"
#include "platform/test_doubles.h"
#include "platform/wrap_button.h"
#include "platform/wrapping_label.h"
#include "ripasso/drill_page.h"
#include "ripasso/review_page.h"
#include "vocaboro/console_window.h"
#include "vocaboro/program.h"

#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

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
        if (auto* wrapping = qobject_cast<platform::WrappingLabel*>(w)) {
            text = wrapping->text();
            fits = wrapping->heightForWidth(wrapping->width()) <= wrapping->height();
        } else if (auto* label = qobject_cast<QLabel*>(w);
                   label && label->pixmap().isNull() && !label->text().isEmpty()) {
            text = label->text();
            fits = label->wordWrap()
                       ? metrics.boundingRect(
                                    inside, static_cast<int>(Qt::TextWordWrap | label->alignment()),
                                    text)
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
        } else if (auto* box = qobject_cast<QLineEdit*>(w); box && !box->text().isEmpty()) {
            // The character at the box's left edge, once the box is drawn, is the first one.
            text = box->text();
            box->grab();
            const QRect area = box->contentsRect();
            fits = box->cursorPositionAt(QPoint(area.left() + 4, area.center().y())) == 0;
        }
        if (!fits)
            problems.append(w->objectName() + QStringLiteral(": ") + text.left(40));
    }
    return problems;
}

// Whether the control is filled flat with `colour`: its four inner corners show it exactly.
bool drawnFlat(QWidget* control, const QColor& colour) {
    const QImage image = control->grab().toImage();
    const double scale = image.devicePixelRatio();
    const int w = control->width();
    const int h = control->height();
    for (const QPoint corner :
         {QPoint(3, 3), QPoint(w - 4, 3), QPoint(3, h - 4), QPoint(w - 4, h - 4)}) {
        const QColor seen = image.pixelColor(int(corner.x() * scale), int(corner.y() * scale));
        if (std::abs(seen.red() - colour.red()) > 2 ||
            std::abs(seen.green() - colour.green()) > 2 ||
            std::abs(seen.blue() - colour.blue()) > 2)
            return false;
    }
    return true;
}

double luminance(const QColor& c) {
    auto channel = [](double v) {
        v /= 255;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

// The contrast between the background of the label's area on the window (its commonest
// colour) and the text drawn on it (the colour that differs most from it).
double contrastOn(QWidget* window, QLabel* label) {
    const QImage image = window->grab(label->geometry()).toImage();
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb background = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > counts.value(background))
            background = it.key();
    const double back = luminance(QColor(background));
    double best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const double other = luminance(QColor(it.key()));
        best = std::max(best, (std::max(back, other) + 0.05) / (std::min(back, other) + 0.05));
    }
    return best;
}

} // namespace

class TestCaptionsFit : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoQuestionLeftOver(); }
    void chartolaWindows();
    void vocaboroWindows();
    void ripassoPages();
    void coloursAreFlatAndTextReads();
};

void TestCaptionsFit::chartolaWindows() {
    ChartolaFixture f;
    f.write("LEXFWD_C.DAT",
            {{"casa", "baan", "s.m.", "un nome lungo, con una nota che non sta nella casella", "@",
              "$", "$"}});
    f.write("LEXREV_B.DAT", {{"baan", "casa, abitazione, dimora", "s.f.", "-", "@", "$", "$"}});
    f.program.start();
    QCOMPARE(clipped(f.program.widget(chartola::Window::Form2)), QStringList());
    f.dialogs.expectInput(QStringLiteral("DataBase"), f.folder());
    QTest::mouseClick(f.program.widget(chartola::Window::Form2), Qt::LeftButton);
    chartola::Form3& dictionary = f.program.dictionary();
    QCOMPARE(clipped(&dictionary), QStringList());
    // A word picked: the record number, the pronunciation, a note longer than its box.
    auto* combo = dictionary.findChild<platform::EditableCombo*>(QStringLiteral("Combo1"));
    combo->setEditText(QStringLiteral("casa"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    QTest::keyClick(combo->lineEdit(), Qt::Key_Down);
    QCOMPARE(dictionary.findChild<QLabel*>(QStringLiteral("Label2"))->text(), QStringLiteral("0"));
    QCOMPARE(clipped(&dictionary), QStringList());
    // The whole Thai-Italian dictionary: its caption and status.
    f.dialogs.expectMessage(QStringLiteral("Premere OK"));
    dictionary.findChild<QPushButton*>(QStringLiteral("Command6"))->click();
    QCOMPARE(dictionary.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
             QStringLiteral("traduzione in italiano"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Down);
    QCOMPARE(clipped(&dictionary), QStringList());
    // While the whole Italian-Thai dictionary loads (a missing file stops it with a message).
    std::filesystem::remove((f.folder() + QStringLiteral("LEXFWD_M.DAT")).toStdString());
    QStringList whileLoading;
    f.dialogs.whileAsking = [&](const platform::AskedQuestion&) {
        whileLoading += clipped(&dictionary);
    };
    f.dialogs.expectMessage(QStringLiteral("Premere OK"));
    f.dialogs.expectMessage(QStringLiteral("lexfwd_m.dat"));
    dictionary.findChild<QPushButton*>(QStringLiteral("Command5"))->click();
    f.dialogs.whileAsking = nullptr;
    QCOMPARE(whileLoading, QStringList());
    QCOMPARE(clipped(&dictionary), QStringList());

    f.dialogs.expectInput(QStringLiteral("Sound File"), QStringLiteral("C:\\THAI\\"));
    dictionary.Command1_Click();
    chartola::Form1& chart = f.program.chart();
    QCOMPARE(clipped(&chart), QStringList());
    for (int n = 1; n <= 46; ++n) {
        chart.CommandN_Click(n);
        QStringList problems = clipped(&chart);
        // The reading and the name line show whole: their last character is drawn too.
        for (auto* box : {chart.findChild<QLineEdit*>(QStringLiteral("Text1")),
                          chart.findChild<QLineEdit*>(QStringLiteral("Text2"))}) {
            const QRect area = box->contentsRect();
            if (box->cursorPositionAt(QPoint(area.right() - 4, area.center().y())) !=
                box->text().size())
                problems.append(box->objectName() + QStringLiteral(" cut: ") + box->text());
        }
        QVERIFY2(problems.isEmpty(), qPrintable(QStringLiteral("letter %1: ").arg(n) +
                                                problems.join(QLatin1Char(' '))));
    }
    chart.Command47_Click();
    QCOMPARE(clipped(f.program.widget(chartola::Window::frmAbout)), QStringList());
    f.program.show(chartola::Window::Form4);
    QCOMPARE(clipped(f.program.widget(chartola::Window::Form4)), QStringList());
    QCOMPARE(f.dialogs.problems(), QStringList());
}

void TestCaptionsFit::vocaboroWindows() {
    QTemporaryDir dir;
    {
        std::ofstream(dir.filePath(QStringLiteral("LEXFWD_C.DAT")).toStdString(), std::ios::binary)
            << datafiles::formatRecordLine(
                   {"casa", "baan", "s.f.", "-", "\xBA\xE9\xD2\xB9", "$", "$"});
    }
    platform::ScriptedDialogs dialogs;
    platform::RecordingSpeech speech;
    vocaboro::Program program(dialogs, speech, dir.path().toStdString(), [] {});
    program.start();
    QCOMPARE(clipped(program.credits()), QStringList());
    dialogs.expectInput(QStringLiteral("Path Folder"), dir.path() + QLatin1Char('/'));
    program.credits()->Form_Click();
    vocaboro::Form1& console = *program.console();
    QCOMPARE(clipped(&console), QStringList());
    // The three prompts.
    console.Command3D11_Click();
    QCOMPARE(clipped(&console), QStringList());
    console.Command3D12_Click();
    QCOMPARE(clipped(&console), QStringList());
    console.Command3D10_Click();
    QCOMPARE(clipped(&console), QStringList());
    // After a look-up: the data-file label.
    console.findChild<QLineEdit*>(QStringLiteral("Text8"))->setText(QStringLiteral("casa"));
    dialogs.expectMessage(QStringLiteral("Wish insert another"), platform::Answer::No);
    console.Text8_KeyPress(13);
    QCOMPARE(console.findChild<QLabel*>(QStringLiteral("Label8"))->text(),
             QStringLiteral("Datafile : LEXFWD_C.DAT"));
    QCOMPARE(clipped(&console), QStringList());
    // The entry panel: every message of the check, the file names, the written records.
    console.Command5_Click();
    QCOMPARE(clipped(&console), QStringList());
    auto set = [&console](const char* box, const QString& text) {
        console.findChild<QLineEdit*>(QLatin1String(box))->setText(text);
    };
    const QList<std::pair<const char*, QString>> failing = {
        {"Text1", QString()},
        {"Text4", QString()},
        {"Text1", QStringLiteral("Casa")},
        {"Text4", QStringLiteral("Baan")},
        {"Text1", QStringLiteral("ca\"sa")},
        {"Text2", QStringLiteral("s.\"f.")},
        {"Text5", QStringLiteral("riga\nseconda")},
        {"Text3", QString::fromUtf16(u"perché")},
        {"Text4", QString::fromUtf16(u"baan\u0101")},
        {"Text6", QString::fromUtf16(u"\U0001F600.wav")},
        {"Text7", QString::fromUtf16(u"\U0001F600.wav")},
    };
    for (const auto& [box, text] : failing) {
        console.Command3D4_Click();
        set("Text1", QStringLiteral("casa"));
        set("Text4", QStringLiteral("baan"));
        set(box, text);
        console.Command3D5_Click();
        QVERIFY(!console.findChild<QLabel*>(QStringLiteral("Label12"))->isHidden());
        const QStringList problems = clipped(&console);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char(' '))));
    }
    console.Command3D4_Click();
    set("Text1", QStringLiteral("casa"));
    set("Text4", QStringLiteral("baan"));
    set("Text3", QString::fromUtf16(u"บ้าน"));
    console.Command3D5_Click();
    QCOMPARE(clipped(&console), QStringList());
    console.Command3D3_Click();
    QVERIFY(!console.findChild<QLabel*>(QStringLiteral("Label11"))->isHidden());
    QCOMPARE(clipped(&console), QStringList());
    // Records with a long note show whole, above "End" and "Next...".
    for (const int length : {79, 180}) {
        console.Command3D7_Click();
        set("Text1", QStringLiteral("zanzariera"));
        set("Text4", QStringLiteral("muung"));
        set("Text5", QStringLiteral("la rete sottile che si stende sopra il letto la sera, ")
                         .repeated(4)
                         .left(length));
        console.Command3D5_Click();
        console.Command3D3_Click();
        QCOMPARE(clipped(&console), QStringList());
        const QWidget* reverse = console.findChild<QWidget*>(QStringLiteral("Label13"));
        QVERIFY(reverse->geometry().bottom() <
                console.findChild<QWidget*>(QStringLiteral("Command3D7"))->geometry().top());
        QVERIFY(console.findChild<QWidget*>(QStringLiteral("Label11"))->geometry().bottom() <
                reverse->geometry().top());
    }
    // A failing check after a pass: the file names stay, the error box over them.
    console.Command3D7_Click();
    console.Command3D8_Click();
    console.Command3_Click(); // a help page
    QCOMPARE(clipped(&console), QStringList());
    QCOMPARE(dialogs.problems(), QStringList());
}

void TestCaptionsFit::ripassoPages() {
    RipassoFixture f;
    f.write("LEXFWD_P.DAT", {{"precipitevolissimevolmente", "reew reew maak maak", "avv.",
                              "il piu' lungo avverbio della lingua, che si dice per scherzo",
                              "\xC3\xE0\xA7\xE7\xC7\xC1\xD2\xA1\xE6", "$", "$"}});
    f.write("LEXFWD_X.DAT", {{"x", "y", "-", "-", "@", "$", "$"}}, std::ios::app);
    std::ofstream((f.words() + "LEXFWD_C.DAT").toStdString()) << "\"cosa\",\"a";
    ripasso::MainWindow& window = f.open();
    // As drawn: after the layouts have taken the new texts in.
    const auto shown = [&window] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        return clipped(&window);
    };
    QCOMPARE(shown(), QStringList());
    f.dialogs.expectInput(QStringLiteral("sounds"), QStringLiteral(STARTER_FOLDER "/"));
    for (int number = 0; number <= static_cast<int>(ripasso::DrillKind::LookAlike); ++number) {
        window.startDrill(static_cast<ripasso::DrillKind>(number));
        ripasso::DrillPage& drill = window.drillPage();
        const int questions = static_cast<int>(drill.round().size() + drill.scriptRound().size());
        for (int i = 0; i < questions; ++i) {
            QStringList problems = shown();
            drill.answer(i % 2);
            problems += shown();
            QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char(' '))));
            drill.next();
        }
        QCOMPARE(shown(), QStringList());
        drill.stop();
    }
    window.startReview();
    for (int card = 0; card < 4; ++card) {
        QCOMPARE(shown(), QStringList());
        window.reviewPage().showBack();
        QCOMPARE(shown(), QStringList());
        window.reviewPage().grade(ripasso::Grade::Good);
    }
    QCOMPARE(shown(), QStringList());
}

void TestCaptionsFit::coloursAreFlatAndTextReads() {
    ChartolaFixture f;
    f.write("LEXFWD_C.DAT", {{"casa", "baan", "s.f.", "-", "@", "$", "$"}});
    chartola::Form3& dictionary = f.start();
    dictionary.show();
    QVERIFY(
        drawnFlat(dictionary.findChild<QWidget*>(QStringLiteral("Command4")), QColor(0, 192, 0)));
    for (const char* load : {"Command5", "Command6"})
        QVERIFY2(drawnFlat(dictionary.findChild<QWidget*>(QLatin1String(load)), QColor(255, 0, 0)),
                 load);
    auto* combo = dictionary.findChild<platform::EditableCombo*>(QStringLiteral("Combo1"));
    combo->setEditText(QStringLiteral("casa"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    QTest::keyClick(combo->lineEdit(), Qt::Key_Down);
    auto* record = dictionary.findChild<QLabel*>(QStringLiteral("Label2"));
    QCOMPARE(record->text(), QStringLiteral("0"));
    const double contrast = contrastOn(&dictionary, record);
    QVERIFY2(contrast >= 4.5, qPrintable(QString::number(contrast)));

    QTemporaryDir dir;
    platform::ScriptedDialogs dialogs;
    platform::RecordingSpeech speech;
    vocaboro::Program program(dialogs, speech, dir.path().toStdString(), [] {});
    program.start();
    dialogs.expectInput(QStringLiteral("Path Folder"), dir.path() + QLatin1Char('/'));
    program.credits()->Form_Click();
    vocaboro::Form1& console = *program.console();
    const std::pair<const char*, QColor> buttons[] = {{"Command3D10", QColor(0, 192, 0)},
                                                      {"Command3D11", QColor(255, 0, 255)},
                                                      {"Command3D12", QColor(128, 0, 128)},
                                                      {"Command5", QColor(0x80, 0xc0, 0xff)}};
    for (const auto& [name, colour] : buttons)
        QVERIFY2(drawnFlat(console.findChild<QWidget*>(QLatin1String(name)), colour), name);
    console.Command5_Click();
    QVERIFY(drawnFlat(console.findChild<QWidget*>(QStringLiteral("Command3D5")),
                      QColor(0x40, 0x60, 0xff)));
    console.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("casa"));
    console.findChild<QLineEdit*>(QStringLiteral("Text4"))->setText(QStringLiteral("baan"));
    console.Command3D5_Click();
    console.findChild<QWidget*>(QStringLiteral("Command3D4"))->setFocus(); // no focus mark
    QVERIFY(drawnFlat(console.findChild<QWidget*>(QStringLiteral("Command3D3")),
                      QColor(0xff, 0x30, 0x30)));
    QVERIFY(drawnFlat(console.findChild<QWidget*>(QStringLiteral("Label9")), QColor(0, 255, 0)));
    QCOMPARE(dialogs.problems(), QStringList());
    QCOMPARE(f.dialogs.problems(), QStringList());
}

QTEST_MAIN(TestCaptionsFit)
#include "test_captions_fit.moc"
