#include "salary/iniutils.h"

#include "common/filebytes.h"
#include "common/text.h"

#include <QSaveFile>

namespace payvo
{

namespace
{

// "\" is no separator here; callers that build the path with it mean the same file.
QString profilePath(const QString& file)
{
#ifdef Q_OS_WIN
    return file;
#else
    QString p = file;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return p;
#endif
}

// The file is edited as the platform's profile functions edit it: line by line, in place.
// A line is a section header ("[name]", anything after the "]" ignored), a value line
// ("key=value") or anything else (comments starting with ";" or "#", blank lines, text that is
// neither, bytes that are no text at all), which is never read and always kept as it stands.
// Blanks (spaces and tabs) around names and values do not count. Names match without regard to
// case. A section that stands twice is read as one, in file order.

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Bytes [begin, end) of the file without the blanks around them.
struct Span {
    qsizetype begin = 0;
    qsizetype end = 0;
};

Span trimmed(const QByteArray& text, Span s)
{
    while (s.begin < s.end && isBlank(text[s.begin]))
        ++s.begin;
    while (s.end > s.begin && isBlank(text[s.end - 1]))
        --s.end;
    return s;
}

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Section and key names compare by ASCII letters without case; other bytes (the parts of
// letters outside ASCII) must be equal.
bool sameName(const QByteArray& text, Span s, const QByteArray& name)
{
    if (s.end - s.begin != name.size())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (lowerAscii(text[s.begin + i]) != lowerAscii(name[i]))
            return false;
    }
    return true;
}

struct IniLine {
    enum class Kind { Other, Section, Value };
    Kind kind = Kind::Other;
    Span line; // the line without its end (LF or CR LF)
    Span name; // section or key name
    Span value; // value of a value line
};

std::vector<IniLine> parse(const QByteArray& text)
{
    std::vector<IniLine> lines;
    qsizetype pos = text.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (pos < text.size()) {
        qsizetype end = text.indexOf('\n', pos);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0)
            end = text.size();
        IniLine l;
        l.line = { pos, end > pos && text[end - 1] == '\r' ? end - 1 : end };
        const Span t = trimmed(text, l.line);
        if (t.begin < t.end) {
            const char first = text[t.begin];
            if (first == '[') {
                const qsizetype close = text.indexOf(']', t.begin);
                if (close >= 0 && close < t.end) {
                    l.kind = IniLine::Kind::Section;
                    l.name = trimmed(text, { t.begin + 1, close });
                }
            } else if (first != ';' && first != '#') {
                const qsizetype eq = text.indexOf('=', t.begin);
                if (eq >= 0 && eq < t.end) {
                    l.name = trimmed(text, { t.begin, eq });
                    if (l.name.begin < l.name.end) {
                        l.kind = IniLine::Kind::Value;
                        l.value = trimmed(text, { eq + 1, t.end });
                    }
                }
            }
        }
        lines.push_back(l);
        pos = next;
    }
    return lines;
}

// Where a key is, or would go, in the parsed file.
struct Place {
    qsizetype valueLine = -1; // the first value line of the key in a section of that name
    qsizetype sectionEnd = -1; // the line after which a new key of the first such section goes
};

Place find(const QByteArray& text, const std::vector<IniLine>& lines, const QByteArray& section, const QByteArray& key)
{
    Place p;
    bool inSection = false;
    bool firstSection = false;
    bool seenSection = false;
    for (qsizetype i = 0; i < qsizetype(lines.size()); ++i) {
        const IniLine& l = lines[std::size_t(i)];
        if (l.kind == IniLine::Kind::Section) {
            inSection = sameName(text, l.name, section);
            firstSection = inSection && !seenSection;
            if (firstSection) {
                seenSection = true;
                p.sectionEnd = i;
            }
            continue;
        }
        if (!inSection || l.kind != IniLine::Kind::Value)
            continue;
        if (firstSection)
            p.sectionEnd = i;
        if (p.valueLine < 0 && sameName(text, l.name, key))
            p.valueLine = i;
    }
    return p;
}

} // namespace

struct IniDocument::Parsed {
    QByteArray text;
    std::vector<IniLine> lines;
};

IniDocument::IniDocument()
    : m_parsed(std::make_shared<Parsed>())
{
}
IniDocument::~IniDocument() = default;
IniDocument::IniDocument(const IniDocument&) = default;
IniDocument& IniDocument::operator=(const IniDocument&) = default;

IniDocument IniDocument::fromBytes(const QByteArray& bytes)
{
    IniDocument doc;
    auto parsed = std::make_shared<Parsed>();
    parsed->text = bytes;
    parsed->lines = parse(parsed->text);
    doc.m_parsed = std::move(parsed);
    return doc;
}

IniDocument IniDocument::load(const QString& file)
{
    QByteArray text;
    QString why;
    if (readRegularFile(profilePath(file), text, why) != FileRead::Ok)
        return IniDocument();
    return fromBytes(text);
}

QString IniDocument::value(const QString& section, const QString& key) const
{
    const QByteArray& text = m_parsed->text;
    const std::vector<IniLine>& lines = m_parsed->lines;
    const Place p = find(text, lines, section.toUtf8(), key.toUtf8());
    if (p.valueLine < 0)
        return QString();
    const Span v = lines[std::size_t(p.valueLine)].value;
    QString value = QString::fromUtf8(text.constData() + v.begin, v.end - v.begin);
    if (value.size() > INIUTILS::kMaxValueLength) {
        int cut = INIUTILS::kMaxValueLength;
        if (value[cut - 1].isHighSurrogate())
            --cut;
        value.truncate(cut);
    }
    return value;
}

const QByteArray& IniDocument::bytes() const
{
    return m_parsed->text;
}

QString iniFilePath(const QString& appDir, const QString& suffix)
{
    return profilePath(appDir + suffix);
}

QByteArray editIniText(const QByteArray& text, const IniEdit& edit)
{
    const QString v = trimSpaces(edit.value);
    const QByteArray s = edit.section.toUtf8();
    const QByteArray k = edit.key.toUtf8();
    const std::vector<IniLine> lines = parse(text);
    const Place p = find(text, lines, s, k);
    // New lines end the way the file's first line does.
    const qsizetype firstEnd = text.indexOf('\n');
    const QByteArray eol = firstEnd > 0 && text[firstEnd - 1] == '\r' ? QByteArray("\r\n") : QByteArray("\n");

    if (p.valueLine >= 0) {
        // The key keeps the file's spelling; everything else on the line is the new value.
        const IniLine& l = lines[std::size_t(p.valueLine)];
        return text.left(l.line.begin) + text.mid(l.name.begin, l.name.end - l.name.begin) + '=' + v.toUtf8()
            + text.mid(l.line.end);
    }
    if (p.sectionEnd >= 0) {
        const IniLine& after = lines[std::size_t(p.sectionEnd)];
        const qsizetype lineEnd = text.indexOf('\n', after.line.end);
        if (lineEnd < 0)
            return text + eol + k + '=' + v.toUtf8() + eol;
        return text.left(lineEnd + 1) + k + '=' + v.toUtf8() + eol + text.mid(lineEnd + 1);
    }
    QByteArray out = text;
    if (!out.isEmpty() && !out.endsWith('\n'))
        out += eol;
    out += '[' + s + ']' + eol + k + '=' + v.toUtf8() + eol;
    return out;
}

long writeIniValues(const std::vector<IniEdit>& edits, const QString& file)
{
    const QString path = profilePath(file);
    QByteArray text;
    QString why;
    if (readRegularFile(path, text, why) == FileRead::Failed)
        return 0; // never replace what could not be read
    for (const IniEdit& edit : edits)
        text = editIniText(text, edit);

    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return 0;
    if (f.write(text) != text.size()) {
        f.cancelWriting();
        return 0;
    }
    return f.commit() ? 1 : 0;
}

namespace INIUTILS
{

QString ReadINI(const QString& section, const QString& key, const QString& file)
{
    return IniDocument::load(file).value(section, key);
}

long WriteINI(const QString& section, const QString& key, const QString& value, const QString& file)
{
    return writeIniValues({ { section, key, value } }, file);
}

} // namespace INIUTILS
} // namespace payvo
