#include "thaitext/codec.h"
#include "thaitext/palette.h"

#include <QTest>

using namespace thaitext;

class TestThaiText : public QObject {
    Q_OBJECT
private slots:
    void tis620Decode_data();
    void tis620Decode();
    void tis620EveryDefinedByteRoundTrips();
    void cp1252Decode_data();
    void cp1252Decode();
    void cp1252EveryByteRoundTrips();
    void encodingRefusesMissingCharacters();
    void utf8();
    void palette_data();
    void palette();
};

void TestThaiText::tis620Decode_data() {
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("unicode");
    QTest::newRow("ascii a") << 0x61 << 0x61;
    QTest::newRow("ko kai") << 0xA1 << 0x0E01;
    QTest::newRow("bo baimai") << 0xBA << 0x0E1A;
    QTest::newRow("sara a") << 0xD0 << 0x0E30;
    QTest::newRow("phinthu, last of the first run") << 0xDA << 0x0E3A;
    QTest::newRow("baht sign") << 0xDF << 0x0E3F;
    QTest::newRow("mai tho") << 0xE9 << 0x0E49;
    QTest::newRow("khomut, last") << 0xFB << 0x0E5B;
    QTest::newRow("0x80 undefined") << 0x80 << 0xFFFD;
    QTest::newRow("0xA0 undefined") << 0xA0 << 0xFFFD;
    QTest::newRow("0xDB undefined") << 0xDB << 0xFFFD;
    QTest::newRow("0xDE undefined") << 0xDE << 0xFFFD;
    QTest::newRow("0xFC undefined") << 0xFC << 0xFFFD;
    QTest::newRow("0xFF undefined") << 0xFF << 0xFFFD;
}

void TestThaiText::tis620Decode() {
    QFETCH(int, byte);
    QFETCH(int, unicode);
    QCOMPARE(int(tis620ToUnicode(static_cast<unsigned char>(byte))), unicode);
}

void TestThaiText::tis620EveryDefinedByteRoundTrips() {
    std::string all;
    for (int b = 0; b < 256; ++b)
        if (tis620ToUnicode(static_cast<unsigned char>(b)) != 0xFFFD)
            all += static_cast<char>(b);
    QCOMPARE(int(all.size()), 128 + (0xDA - 0xA1 + 1) + (0xFB - 0xDF + 1));
    const auto back = encodeTis620(decodeTis620(all));
    QVERIFY(back.has_value());
    QVERIFY(*back == all);
    // The worked example: บ้าน.
    QVERIFY(decodeTis620("\xBA\xE9\xD2\xB9") == std::u16string(u"บ้าน"));
}

void TestThaiText::cp1252Decode_data() {
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("unicode");
    QTest::newRow("euro") << 0x80 << 0x20AC;
    QTest::newRow("0x81 unassigned keeps its value") << 0x81 << 0x81;
    QTest::newRow("0x8D unassigned") << 0x8D << 0x8D;
    QTest::newRow("0x8F unassigned") << 0x8F << 0x8F;
    QTest::newRow("0x90 unassigned") << 0x90 << 0x90;
    QTest::newRow("0x9D unassigned") << 0x9D << 0x9D;
    QTest::newRow("left single quote") << 0x91 << 0x2018;
    QTest::newRow("ellipsis") << 0x85 << 0x2026;
    QTest::newRow("Y diaeresis") << 0x9F << 0x0178;
    QTest::newRow("a grave") << 0xE0 << 0xE0;
    QTest::newRow("e acute") << 0xE9 << 0xE9;
    QTest::newRow("u acute") << 0xFA << 0xFA;
    QTest::newRow("nbsp") << 0xA0 << 0xA0;
}

void TestThaiText::cp1252Decode() {
    QFETCH(int, byte);
    QFETCH(int, unicode);
    QCOMPARE(int(cp1252ToUnicode(static_cast<unsigned char>(byte))), unicode);
}

void TestThaiText::cp1252EveryByteRoundTrips() {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::u16string decoded = decodeCp1252(all);
    QCOMPARE(decoded.size(), std::size_t(256));
    const auto back = encodeCp1252(decoded);
    QVERIFY(back.has_value());
    QVERIFY(*back == all);
}

void TestThaiText::encodingRefusesMissingCharacters() {
    QVERIFY(!encodeCp1252(u"casa ก").has_value());     // Thai in a Latin field
    QVERIFY(!encodeCp1252(u"\U0001F600").has_value()); // emoji
    QVERIFY(!encodeCp1252(u"\u0100").has_value());     // A macron
    QVERIFY(!encodeTis620(u"perché").has_value());     // accented Latin in the Thai field
    QVERIFY(!encodeTis620(u"\uFFFD").has_value());
    QVERIFY(encodeCp1252(u"perché").value() == "perch\xE9");
    QVERIFY(encodeCp1252(u"").value().empty());
}

void TestThaiText::utf8() {
    QVERIFY(utf8ToUtf16("perch\xC3\xA9").value() == u"perché");
    QVERIFY(utf8ToUtf16("\xE0\xB8\x9A\xE0\xB9\x89\xE0\xB8\xB2\xE0\xB8\x99").value() == u"บ้าน");
    QVERIFY(utf8ToUtf16("\xF0\x9F\x98\x80").value() == u"\U0001F600");
    QVERIFY(!utf8ToUtf16("\xC3").has_value());     // cut short
    QVERIFY(!utf8ToUtf16("\xE0\xB8").has_value()); // cut short
    QVERIFY(!utf8ToUtf16("\xFF").has_value());
    QVERIFY(!utf8ToUtf16("a\x80").has_value());
}

void TestThaiText::palette_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("r");
    QTest::addColumn<int>("g");
    QTest::addColumn<int>("b");
    QTest::newRow("black") << 0 << 0 << 0 << 0;
    QTest::newRow("light grey") << 7 << 192 << 192 << 192;
    QTest::newRow("dark grey") << 8 << 128 << 128 << 128;
    QTest::newRow("light green") << 10 << 0 << 255 << 0;
    QTest::newRow("light cyan") << 11 << 0 << 255 << 255;
    QTest::newRow("light red") << 12 << 255 << 0 << 0;
    QTest::newRow("light magenta") << 13 << 255 << 0 << 255;
    QTest::newRow("yellow") << 14 << 255 << 255 << 0;
    QTest::newRow("white") << 15 << 255 << 255 << 255;
}

void TestThaiText::palette() {
    QFETCH(int, index);
    QFETCH(int, r);
    QFETCH(int, g);
    QFETCH(int, b);
    const Rgb c = paletteColor(static_cast<Palette>(index));
    QCOMPARE(int(c.red), r);
    QCOMPARE(int(c.green), g);
    QCOMPARE(int(c.blue), b);
}

QTEST_APPLESS_MAIN(TestThaiText)
#include "test_thaitext.moc"
