// The syllable reader on common words, each with every field of its reading and its tone
// (the alphabet design note's examples and the tone rules as Thai courses teach them), and on
// words split into syllables, refused as ambiguous or unreadable, and on input that is not Thai;
// the phonemes eSpeak NG is given for what it reads, checked against the hand-checked tables of
// data/sounds and a few common words.

#include "thaiscript/phonemes.h"
#include "thaiscript/syllable.h"
#include "thaitext/codec.h"

#include <QFile>
#include <QTest>
#include <QTextStream>

#include <string>

namespace {

using namespace thaiscript;

std::string tis(const char* utf8) {
    return thaitext::encodeTis620(*thaitext::utf8ToUtf16(utf8)).value_or("?");
}
QString text(const std::string& tis620) {
    return QString::fromStdU16String(thaitext::decodeTis620(tis620));
}

// "บ|mid|aa|long|น -n|live|mai tho|falling", with "|listed" after a listed word's fields.
QString fields(const Syllable& s) {
    const char* classes[] = {"mid", "high", "low", "?"};
    const QString final = s.finalLetters.empty()
                              ? QStringLiteral("-")
                              : text(s.finalLetters) + ' ' + finalSoundName(s.finalSound);
    return QStringList{text(s.initial),
                       classes[static_cast<int>(s.toneClass)],
                       QString::fromStdString(s.vowel),
                       lengthName(s.length),
                       final,
                       s.live ? "live" : "dead",
                       markName(s.mark),
                       toneName(s.tone)}
               .join('|') +
           (s.listed ? "|listed" : "");
}

} // namespace

class TestSyllableReader : public QObject {
    Q_OBJECT
private slots:
    void commonWordsReadWithTheirTone();
    void wordsSplitWhereOneSplitReadsElseStayWhole();
    void soundTablesReadToTheirPhonemes();
    void commonWordsSpeakTheirPhonemes();
};

void TestSyllableReader::commonWordsReadWithTheirTone() {
    struct Row {
        const char* word;
        const char* expected;
    };
    const Row rows[] = {
        // Mid class: live and dead, short and long, each of the four marks.
        {"ปลา", "ปล|mid|aa|long|-|live|none|mid"},
        {"เด็ก", "ด|mid|e|short|ก -k|dead|none|low"},
        {"เกิด", "ก|mid|oee|long|ด -t|dead|none|low"},
        {"ไก่", "ก|mid|ai|short|-|live|mai ek|low"},
        {"อ่าน", "อ|mid|aa|long|น -n|live|mai ek|low"},
        {"บ้าน", "บ|mid|aa|long|น -n|live|mai tho|falling"},
        {"โต๊ะ", "ต|mid|o|short|-|dead|mai tri|high"},
        {"ก๋วย", "ก|mid|uua|long|ย -y|live|mai chattawa|rising"},
        {"ตั๋ว", "ต|mid|uua|long|-|live|mai chattawa|rising"},
        {"เป็น", "ป|mid|e|short|น -n|live|none|mid"},
        // High class.
        {"ขาว", "ข|high|aa|long|ว -w|live|none|rising"},
        {"ถุง", "ถ|high|u|short|ง -ng|live|none|rising"},
        {"ผม", "ผ|high|o|short|ม -m|live|none|rising"},
        {"สิบ", "ส|high|i|short|บ -p|dead|none|low"},
        {"ขวด", "ข|high|uua|long|ด -t|dead|none|low"},
        {"ไข่", "ข|high|ai|short|-|live|mai ek|low"},
        {"สี่", "ส|high|ii|long|-|live|mai ek|low"},
        {"ห้า", "ห|high|aa|long|-|live|mai tho|falling"},
        {"เสื้อ", "ส|high|ueea|long|-|live|mai tho|falling"},
        {"เขียว", "ข|high|iia|long|ว -w|live|none|rising"},
        // Low class.
        {"มา", "ม|low|aa|long|-|live|none|mid"},
        {"คน", "ค|low|o|short|น -n|live|none|mid"},
        {"คำ", "ค|low|am|short|-|live|none|mid"},
        {"เดิน", "ด|mid|oee|long|น -n|live|none|mid"},
        {"เลย", "ล|low|oee|long|ย -y|live|none|mid"},
        {"เมือง", "ม|low|ueea|long|ง -ng|live|none|mid"},
        {"มวย", "ม|low|uua|long|ย -y|live|none|mid"},
        {"ควร", "ค|low|uua|long|ร -n|live|none|mid"},
        {"นก", "น|low|o|short|ก -k|dead|none|high"},
        {"เล็ก", "ล|low|e|short|ก -k|dead|none|high"},
        {"มาก", "ม|low|aa|long|ก -k|dead|none|falling"},
        {"พ่อ", "พ|low|ɔɔ|long|-|live|mai ek|falling"},
        {"ค่ะ", "ค|low|a|short|-|dead|mai ek|falling"},
        {"เพื่อน", "พ|low|ueea|long|น -n|live|mai ek|falling"},
        {"ช้าง", "ช|low|aa|long|ง -ng|live|mai tho|high"},
        {"ร้อน", "ร|low|ɔɔ|long|น -n|live|mai tho|high"},
        // Leading ห and อ.
        {"หมา", "หม|high|aa|long|-|live|none|rising"},
        {"หญิง", "หญ|high|i|short|ง -ng|live|none|rising"},
        {"หลับ", "หล|high|a|short|บ -p|dead|none|low"},
        {"ใหม่", "หม|high|ai|short|-|live|mai ek|low"},
        {"หนึ่ง", "หน|high|ue|short|ง -ng|live|mai ek|low"},
        {"เห็น", "ห|high|e|short|น -n|live|none|rising"}, // ห the initial itself
        {"อยู่", "อย|mid|uu|long|-|live|mai ek|low"},
        // True clusters, the class of their first letter.
        {"ครับ", "คร|low|a|short|บ -p|dead|none|high"},
        {"ความ", "คว|low|aa|long|ม -m|live|none|mid"},
        {"กว่า", "กว|mid|aa|long|-|live|mai ek|low"},
        {"กล้วย", "กล|mid|uua|long|ย -y|live|mai tho|falling"},
        {"เปลี่ยน", "ปล|mid|iia|long|น -n|live|mai ek|low"},
        {"เพราะ", "พร|low|ɔ|short|-|dead|none|high"},
        // Letters silenced by thanthakhat; ฤ standing alone.
        {"จันทร์", "จ|mid|a|short|น -n|live|none|mid"},
        {"เสาร์", "ส|high|ao|short|-|live|none|rising"},
        {"ฤ", "ฤ|low|rue|short|-|dead|none|high"},
        // Read against the rules: listed.
        {"ก็", "ก|mid|ɔ|short|-|dead|none|falling|listed"},
        {"น้ำ", "น|low|aam|long|-|live|mai tho|high|listed"},
        {"ไม้", "ม|low|aai|long|-|live|mai tho|high|listed"},
        {"เล่น", "ล|low|e|short|น -n|live|mai ek|falling|listed"},
        {"เงิน", "ง|low|oe|short|น -n|live|none|mid|listed"},
        {"จริง", "จร|mid|i|short|ง -ng|live|none|mid|listed"},
        {"สร้าง", "สร|high|aa|long|ง -ng|live|mai tho|falling|listed"},
        {"ทราย", "ทร|low|aa|long|ย -y|live|none|mid|listed"},
        {"เพชร", "พ|low|e|short|ช -t|dead|none|high|listed"},
        {"ไทย", "ท|low|ai|short|-|live|none|mid|listed"},
    };
    for (const Row& row : rows) {
        const std::optional<Syllable> s = readSyllable(tis(row.word));
        QVERIFY2(s, row.word);
        QCOMPARE(fields(*s), QString::fromUtf8(row.expected));
        QCOMPARE(s->text, tis(row.word));
    }
}

void TestSyllableReader::wordsSplitWhereOneSplitReadsElseStayWhole() {
    struct Row {
        const char* word;
        const char* pieces; // the pieces, a space between; "?" after one without a reading
    };
    const Row rows[] = {
        {"สับปะรด", "สับ ปะ รด"},
        {"โรงเรียน", "โรง เรียน"},
        {"ขอบคุณ", "ขอบ คุณ"},
        {"อาทิตย์", "อา ทิตย์"},
        {"บ้าน-นก คน", "บ้าน นก คน"},
        {"เพลง", "เพลง"},        // one syllable, though เพ|ลง reads too
        {"เพลงไทย", "เพลงไทย?"}, // เพลง|ไทย and เพ|ลง|ไทย
        {"สวัสดี", "สวัสดี?"},       // an unwritten a: no split reads
        {"ชฎา", "ช ฎา"},         // an unwritten a in a listed word
        {"สบายดี", "ส บาย ดี"},    // a listed word in a longer piece
        // The one split that reads holds a syllable the word may read otherwise.
        {"ไปรษณีย์", "ไปรษณีย์?"},       // ไป รษ ณีย์: a loan word's final
        {"โรงพยาบาล", "โรงพยาบาล?"}, // โร งพ ยา บาล: โร closed by ง
        {"กรกฎาคม", "กรกฎาคม?"},     // กรก ฎา คม: a cluster
        {"ชาติ", "ชาติ?"},             // ชา ติ: a silent i
        {"โทรศัพท์", "โทรศัพท์?"},       // โทร reads two ways
        {"เขา", "เขา?"},
        {"ทรุด", "ทรุด?"}, // ทร read s, not listed
        {"คร", "คร?"},   // the inherent o never closes on ร
        {"นก--คน", "นก ? คน"},
        {"", "?"},
        {"abc", "abc?"},
        {"่", "่?"},
        {"ค๊ะ", "ค๊ะ?"}, // mai tri on a low letter
    };
    for (const Row& row : rows) {
        QStringList got;
        for (const Piece& p : readWord(tis(row.word)))
            got << text(p.text) + (p.syllable ? "" : "?");
        QCOMPARE(got.join(' '), QString::fromUtf8(row.pieces));
    }
    // A long piece is read in one pass, not by trying every split.
    std::string many;
    for (int i = 0; i < 5000; ++i)
        many += tis("นกคน");
    const std::vector<Piece> pieces = readWord(many);
    QVERIFY(readsWhole(pieces));
    QCOMPARE(pieces.size(), std::size_t{10000});
}

// "0:k'O:3 1:k'ai2": each syllable's word number and phonemes; "-" when the text is not spoken.
QString spoken(const std::string& tis620) {
    const auto syllables = spokenSyllables(tis620);
    if (!syllables)
        return QStringLiteral("-");
    QStringList got;
    for (const SpokenSyllable& s : *syllables)
        got << QString::number(s.word) + ':' + QString::fromStdString(s.phonemes);
    return got.join(' ');
}

// Every file of the two tables: its rows' written syllables, a space between words (rows of
// one word share the second column), read to the file's phonemes in order.
void TestSyllableReader::soundTablesReadToTheirPhonemes() {
    for (const char* table : {"letter_names.tsv", "vowel_sounds.tsv"}) {
        QFile file(QStringLiteral(SOUND_FOLDER "/") + table);
        QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text), table);
        QStringList files;
        QMap<QString, QString> written, expected;
        QMap<QString, QString> lastWord;
        QMap<QString, int> words;
        QTextStream in(&file);
        while (!in.atEnd()) {
            const QString line = in.readLine();
            if (line.isEmpty() || line.startsWith(u'#'))
                continue;
            const QStringList f = line.split(u'\t');
            QCOMPARE(f.size(), 9);
            if (!files.contains(f[0]))
                files << f[0];
            else if (lastWord[f[0]] != f[1])
                written[f[0]] += ' ', ++words[f[0]];
            lastWord[f[0]] = f[1];
            written[f[0]] += f[8];
            expected[f[0]] += QStringLiteral(" %1:%2").arg(words[f[0]]).arg(f[7]);
        }
        QVERIFY(files.size() >= 32);
        for (const QString& name : files)
            QCOMPARE(name + ' ' + spoken(tis(written[name].toUtf8().constData())),
                     name + expected[name]);
    }
}

void TestSyllableReader::commonWordsSpeakTheirPhonemes() {
    struct Row {
        const char* words;
        const char* phonemes;
    };
    const Row rows[] = {
        // The five tones.
        {"มา", "0:m'a:3"},
        {"ไก่", "0:k'ai2"},
        {"บ้าน", "0:b'a:5n"},
        {"ม้า", "0:m'a:4"},
        {"ขาว", "0:k_h'a:u1"},
        // Clusters, a leading ห, a silent or changed ร.
        {"ครับ", "0:k_hR'a4p"},
        {"ความ", "0:k_hw'a:3m"},
        {"หมา", "0:m'a:1"},
        {"จริง", "0:tS;'i3N"},
        {"ทราย", "0:s'a:i3"},
        // Glides: one phoneme with a short vowel, a final after a long one or a diphthong.
        {"หิว", "0:h'iu1"},
        {"เลย", "0:l'@:3j"},
        {"เขียว", "0:k_hi'@:1w"},
        {"มวย", "0:mu'@:3j"},
        // Listed words of two syllables; words numbered apart at spaces and '-'.
        {"ขนม", "0:k_h'a2? 0:n'o1m"},
        {"อร่อย", "0:?'a2? 0:R'O:2j"},
        {"สบายดี", "0:s'a2? 0:b'a:i3 0:d'i:3"},
        {"กอ ไก่-ไข่", "0:k'O:3 1:k'ai2 2:k_h'ai2"},
        // Not spoken: two readings, an unwritten vowel, a piece that does not read.
        {"เขา", "-"},
        {"สวัสดี", "-"},
        {"นก--คน", "-"},
    };
    for (const Row& row : rows)
        QCOMPARE(spoken(tis(row.words)), QString::fromUtf8(row.phonemes));
}

QTEST_GUILESS_MAIN(TestSyllableReader)
#include "test_syllable_reader.moc"
