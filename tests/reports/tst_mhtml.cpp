// The report module's building blocks: widths, escaping, Windows-1252, appending lines.
#include "reports/mhtml.h"
#include "support/testutil.h"

#include <QDir>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace payvo::mHTML;

namespace {

// A line from test notation: league text between [ and ], program text elsewhere.
Line compose(const QString& notation)
{
    Line line;
    bool league = false;
    QString part;
    const auto flush = [&] {
        line += league ? leagueText(part) : markup(part.toStdString());
        part.clear();
    };
    for (const QChar c : notation) {
        if (c == QLatin1Char('[') || c == QLatin1Char(']')) {
            flush();
            league = c == QLatin1Char('[');
        } else {
            part += c;
        }
    }
    flush();
    return line;
}

QByteArray bytes(const Line& line)
{
    const std::string s = encodeLine(line);
    return QByteArray(s.data(), qsizetype(s.size()));
}

} // namespace

class TestMHtml : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void padTo_data();
    void padTo();
    void addSpaces_data();
    void addSpaces();
    void encodeLine_data();
    void encodeLine();
    void windows1252_agreesWithTheSystemCodec();
    void leagueText_countsCodePoints();
    void appendLeagueText_decodesUtf8_data();
    void appendLeagueText_decodesUtf8();
    void money_data();
    void money();
    void appendLine_createsThenAppendsWithCrLf();
    void appendLine_unwritable_returnsFalse_data();
    void appendLine_unwritable_returnsFalse();
};

void TestMHtml::padTo_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("right");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("left") << "QB" << 3 << false << QByteArray("QB ");
    QTest::newRow("right") << "$7,695" << 11 << true << QByteArray("     $7,695");
    QTest::newRow("exactly wide") << "abc" << 3 << false << QByteArray("abc");
    QTest::newRow("wider is never cut") << "abcdef" << 3 << true << QByteArray("abcdef");
    QTest::newRow("empty") << "" << 4 << false << QByteArray("    ");
    QTest::newRow("no width") << "ab" << 0 << false << QByteArray("ab");
    QTest::newRow("negative width") << "ab" << -5 << true << QByteArray("ab");
    QTest::newRow("escaped character is one column") << "[A&B]" << 5 << false << QByteArray("A&amp;B  ");
    QTest::newRow("markup counts as itself") << "<b>[<]" << 6 << true << QByteArray("  <b>&lt;");
    QTest::newRow("reference is one column") << "[\u0141]" << 3 << true << QByteArray("  &#321;");
}

void TestMHtml::padTo()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(bool, right);
    QFETCH(QByteArray, expected);
    QCOMPARE(bytes(PadTo(compose(text), width, right)), expected);
}

void TestMHtml::addSpaces_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("before");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("five before") << "<A>" << 5 << true << QByteArray("     <A>");
    QTest::newRow("one behind") << "70" << 1 << false << QByteArray("70 ");
    QTest::newRow("added even to a long text") << "abcdef" << 2 << false << QByteArray("abcdef  ");
    QTest::newRow("none") << "x" << 0 << true << QByteArray("x");
    QTest::newRow("negative adds none") << "x" << -3 << true << QByteArray("x");
}

void TestMHtml::addSpaces()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(bool, before);
    QFETCH(QByteArray, expected);
    QCOMPARE(bytes(AddSpaces(compose(text), count, before)), expected);
}

void TestMHtml::encodeLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("markup stays markup") << "<A HREF=#A1>&\"" << QByteArray("<A HREF=#A1>&\"");
    QTest::newRow("league text is escaped") << "[Rock & Roll <\"Stars\">]"
                                            << QByteArray("Rock &amp; Roll &lt;&quot;Stars&quot;&gt;");
    QTest::newRow("apostrophe stays") << "[O'Neil]" << QByteArray("O'Neil");
    QTest::newRow("an entity in league text is text") << "[&amp;]" << QByteArray("&amp;amp;");
    QTest::newRow("Latin-1 letters as single bytes") << "[Kraków Müller]" << QByteArray("Krak\xF3w M\xFCller");
    QTest::newRow("0x80 block") << "[\u20AC\u0152\u2122\u0178]" << QByteArray("\x80\x8C\x99\x9F");
    QTest::newRow("outside the code page") << "[\u0141\u0159]" << QByteArray("&#321;&#345;");
    QTest::newRow("outside the BMP") << "[\U0001F600]" << QByteArray("&#128512;");
    QTest::newRow("control characters") << "[a\tb\rc]" << QByteArray("a&#9;b&#13;c");
    QTest::newRow("C1 control") << "[\u0081]" << QByteArray("&#129;");
    QTest::newRow("no-break space") << "[\u00A0]" << QByteArray("\xA0");
}

void TestMHtml::encodeLine()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    QCOMPARE(bytes(compose(text)), expected);
}

// Every printable character of the Basic Multilingual Plane: one byte exactly where the
// system's Windows-1252 codec has one, a reference everywhere else.
void TestMHtml::windows1252_agreesWithTheSystemCodec()
{
    int singleBytes = 0;
    for (char32_t c = 0x20; c < 0x10000; ++c) {
        if (c == 0x7F || (c >= 0x80 && c < 0xA0) || (c >= 0xD800 && c < 0xE000))
            continue;
        QStringEncoder codec("windows-1252");
        const QByteArray system = codec.encode(QString::fromUcs4(&c, 1));
        const bool held = !codec.hasError() && system.size() == 1;
        const QByteArray ours = bytes(Line(1, c));
        if (held) {
            ++singleBytes;
            QCOMPARE(ours, system);
        } else {
            QCOMPARE(ours, "&#" + QByteArray::number(uint(c)) + ";");
        }
    }
    QCOMPARE(singleBytes, 95 + 96 + 27); // ASCII, 0xA0-0xFF, the 27 defined in 0x80-0x9F
}

void TestMHtml::leagueText_countsCodePoints()
{
    QCOMPARE(leagueText(QStringLiteral("Zo\u00eb\U0001F600")).size(), std::size_t(4));
    const QString loneHalf = QString(QChar(0xD800)) + QLatin1Char('x');
    QCOMPARE(bytes(leagueText(loneHalf)), QByteArray("&#65533;x"));
}

void TestMHtml::appendLeagueText_decodesUtf8_data()
{
    QTest::addColumn<QByteArray>("utf8");
    QTest::addColumn<QByteArray>("encoded");
    QTest::addColumn<int>("columns");
    QTest::newRow("ASCII with markup characters") << QByteArray("A&B <\"C\">") << QByteArray("A&amp;B &lt;&quot;C&quot;&gt;")
                                                  << 9;
    QTest::newRow("two-byte") << QByteArray("M\xC3\xBCller") << QByteArray("M\xFCller") << 6;
    QTest::newRow("three-byte") << QByteArray("\xE2\x82\xAC\xC5\x81") << QByteArray("\x80&#321;") << 2;
    QTest::newRow("four-byte") << QByteArray("\xF0\x9F\x98\x80!") << QByteArray("&#128512;!") << 2;
    QTest::newRow("stray continuation byte") << QByteArray("a\x80z") << QByteArray("a&#65533;z") << 3;
    QTest::newRow("cut short at the end") << QByteArray("a\xE2\x82") << QByteArray("a&#65533;&#65533;") << 3;
    QTest::newRow("overlong form") << QByteArray("\xC0\xAF") << QByteArray("&#65533;&#65533;") << 2;
    QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80") << QByteArray("&#65533;&#65533;&#65533;") << 3;
    QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << QByteArray("&#65533;&#65533;&#65533;&#65533;")
                                     << 4;
}

void TestMHtml::appendLeagueText_decodesUtf8()
{
    QFETCH(QByteArray, utf8);
    QFETCH(QByteArray, encoded);
    QFETCH(int, columns);
    Line line = markup("<");
    appendLeagueText(line, std::string_view(utf8.constData(), std::size_t(utf8.size())));
    QCOMPARE(bytes(line), "<" + encoded);
    QCOMPARE(int(line.size()), 1 + columns);
}

void TestMHtml::money_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<bool>("null");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("salary") << 7695.0 << false << QByteArray("$7,695");
    QTest::newRow("half rounds up") << 1501.5 << false << QByteArray("$1,502");
    QTest::newRow("quarter rounds down") << 1501.25 << false << QByteArray("$1,501");
    QTest::newRow("zero is the sign alone") << 0.0 << false << QByteArray("$");
    QTest::newRow("never cut") << 1234567890123.0 << false << QByteArray("$1,234,567,890,123");
    QTest::newRow("null is nothing") << 0.0 << true << QByteArray();
}

void TestMHtml::money()
{
    QFETCH(double, amount);
    QFETCH(bool, null);
    QFETCH(QByteArray, expected);
    QCOMPARE(bytes(Money(null ? std::nullopt : std::optional<double>(amount))), expected);
}

void TestMHtml::appendLine_createsThenAppendsWithCrLf()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("out.htm"));
    QVERIFY(AppendLine(file, leagueText(QStringLiteral("A & \u00e9"))));
    QCOMPARE(payvo::test::readAll(file), QByteArray("A &amp; \xE9\r\n"));
    QVERIFY(AppendLine(file, Line()));
    QVERIFY(AppendLine(file, markup(" ")));
    QCOMPARE(payvo::test::readAll(file), QByteArray("A &amp; \xE9\r\n\r\n \r\n"));
}

void TestMHtml::appendLine_unwritable_returnsFalse_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing folder") << "no/such/folder/out.htm";
    QTest::newRow("a folder") << ".";
    QTest::newRow("empty name") << "";
}

void TestMHtml::appendLine_unwritable_returnsFalse()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString saved = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const bool written = AppendLine(name, markup("x"));
    QDir::setCurrent(saved);
    QVERIFY(!written);
    QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty());
}

QTEST_APPLESS_MAIN(TestMHtml)
#include "tst_mhtml.moc"
