// The kit in Italian, as a desktop set to Italian starts it (CTest runs this test with
// LANGUAGE=it): the language follows the locale's list, and Ripasso's start page shows none of
// the kit's texts in English, with access keys of its own that start each drill.

#include "real_input.h"
#include "ripasso_fixture.h"
#include "test_support.h"

#include "platform/translations.h"
#include "ripasso/drill_page.h"

#include <QAbstractButton>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QXmlStreamReader>

using namespace ripasso;

namespace {

// The English texts of translations/kit_it.ts whose Italian differs from them.
QSet<QString> englishSources() {
    QFile file(QStringLiteral(TRANSLATIONS_DIR "/kit_it.ts"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QSet<QString> english;
    QXmlStreamReader xml(&file);
    QString source;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (xml.isStartElement() && xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.isStartElement() && xml.name() == QLatin1String("translation")) {
            if (const QString italian = xml.readElementText(); italian != source)
                english.insert(source);
        } else
            xml.readNext();
    }
    return english;
}

QChar accessKey(const QString& text) {
    const qsizetype at = text.indexOf(QLatin1Char('&'));
    return at >= 0 && at + 1 < text.size() ? text[at + 1].toLower() : QChar();
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoQuestionLeftOver(); }
    void theLanguageFollowsTheLocale_data();
    void theLanguageFollowsTheLocale();
    void ripassoStartsInItalian();
};

void TestTranslations::theLanguageFollowsTheLocale_data() {
    QTest::addColumn<QStringList>("languages");
    QTest::addColumn<QString>("kit");
    QTest::newRow("Italian") << QStringList{"it-IT", "it"} << "it";
    QTest::newRow("German first, then Italian") << QStringList{"de-DE", "de", "it"} << "it";
    QTest::newRow("English before Italian") << QStringList{"en-GB", "it-IT"} << "en";
    QTest::newRow("a language the kit lacks") << QStringList{"pt-BR"} << "en";
    QTest::newRow("none") << QStringList{} << "en";
}

void TestTranslations::theLanguageFollowsTheLocale() {
    QFETCH(QStringList, languages);
    QFETCH(QString, kit);
    QCOMPARE(platform::kitLanguage(languages), kit);
}

void TestTranslations::ripassoStartsInItalian() {
    QCOMPARE(platform::installTranslations(), QStringLiteral("it"));
    const QSet<QString> english = englishSources();
    QVERIFY(english.size() > 100);
    RipassoFixture f;
    f.window =
        std::make_unique<MainWindow>(Links{f.dialogs, f.player, f.speech, f.recorder, *f.store,
                                           f.dir.path().toStdString(), [&f] { return f.day; }, 5});
    f.dialogs.expectInput(QStringLiteral("Cartella dei file di dati"), f.words());
    f.window->show();
    f.window->chooseFolder();
    QVERIFY(real::activate(f.window.get()));

    // Every text shown or named on the start page and its menu.
    QStringList shown;
    for (const QWidget* w : f.window->findChildren<QWidget*>()) {
        if (!w->isVisible() && !qobject_cast<const QMenu*>(w))
            continue;
        shown << w->accessibleName() << w->accessibleDescription() << w->toolTip();
        if (const auto* label = qobject_cast<const QLabel*>(w))
            shown << label->text();
        if (const auto* button = qobject_cast<const QAbstractButton*>(w))
            shown << button->text();
        if (const auto* box = qobject_cast<const QGroupBox*>(w))
            shown << box->title();
        for (const QAction* action : w->actions())
            shown << action->text();
    }
    for (const QString& text : shown)
        QVERIFY2(!english.contains(text), qPrintable(QStringLiteral("in English: ") + text));

    // Each button and menu of the window has an access key of its own; Alt and that of a drill
    // start the drill.
    QList<QChar> keys;
    for (const QAbstractButton* button : f.window->findChildren<QAbstractButton*>())
        if (button->isVisible() && !accessKey(button->text()).isNull())
            keys << accessKey(button->text());
    for (const QAction* menu : f.window->menuBar()->actions())
        keys << accessKey(menu->text());
    QCOMPARE(QSet<QChar>(keys.begin(), keys.end()).size(), keys.size());

    const QChar drill = accessKey(f.control<QAbstractButton>("drillReadingButton")->text());
    QVERIFY(drill >= u'a' && drill <= u'z');
    f.dialogs.expectInput(QStringLiteral("Cartella dei suoni delle lettere"),
                          QStringLiteral(STARTER_FOLDER "/"));
    real::press(Qt::Key(Qt::Key_A + (drill.unicode() - u'a')), Qt::AltModifier);
    QTRY_VERIFY(f.window->drillPage().isVisible());
    const QString heading = f.control<QLabel>("drillHeading")->text();
    QCOMPARE(heading, drillTitle(DrillKind::Reading));
    QVERIFY2(!english.contains(heading), qPrintable(heading));
}

QTEST_MAIN(TestTranslations)
#include "test_translations.moc"
