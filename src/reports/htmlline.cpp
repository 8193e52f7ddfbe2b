#include "reports/htmlline.h"

#include <array>

namespace payvo::mHTML
{

namespace
{

// Windows-1252 bytes 0x80 to 0x9F; 0 marks the five bytes the code page leaves undefined.
constexpr std::array<char16_t, 32> kHighBlock = {
    0x20AC,
    0,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0,
    0x017D,
    0,
    0,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0,
    0x017E,
    0x0178,
};

bool isEscaped(char32_t c)
{
    return c == U'&' || c == U'<' || c == U'>' || c == U'"';
}

void appendDecimal(std::string& out, unsigned long value)
{
    char digits[24];
    int n = 0;
    do {
        digits[n++] = char('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (n > 0)
        out += digits[--n];
}

} // namespace

Line markup(std::string_view ascii)
{
    Line line;
    line.reserve(ascii.size());
    for (const char c : ascii)
        line += char32_t(static_cast<unsigned char>(c));
    return line;
}

Line number(long long value)
{
    return markup(std::to_string(value));
}

Line leagueText(const QString& text)
{
    Line line;
    line.reserve(std::size_t(text.size()));
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < n && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i].unicode(), text[i + 1].unicode());
            ++i;
        } else if (QChar::isSurrogate(c))
            c = 0xFFFD; // half a pair is no character
        line += isEscaped(c) ? (c | kLeagueMark) : c;
    }
    return line;
}

void appendLeagueText(Line& line, std::string_view utf8)
{
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const auto* const end = p + utf8.size();
    while (p < end) {
        const unsigned char lead = *p;
        char32_t c = lead;
        int extra = 0;
        char32_t least = 0;
        if (lead >= 0xF0 && lead < 0xF8) {
            c = lead & 0x07;
            extra = 3;
            least = 0x10000;
        } else if (lead >= 0xE0 && lead < 0xF0) {
            c = lead & 0x0F;
            extra = 2;
            least = 0x800;
        } else if (lead >= 0xC0 && lead < 0xE0) {
            c = lead & 0x1F;
            extra = 1;
            least = 0x80;
        } else if (lead >= 0x80) {
            extra = -1; // a continuation byte or 0xF8..0xFF where a character should start
        }
        int taken = 0;
        while (taken < extra && p + 1 + taken < end && (p[1 + taken] & 0xC0) == 0x80) {
            c = (c << 6) | (p[1 + taken] & 0x3F);
            ++taken;
        }
        if (extra < 0 || taken < extra || c < least || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) {
            line += char32_t(0xFFFD);
            ++p;
            continue;
        }
        p += 1 + extra;
        line += isEscaped(c) ? (c | kLeagueMark) : c;
    }
}

int windows1252Byte(char32_t c)
{
    if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0))
        return -1;
    if (c < 0x100)
        return int(c);
    for (std::size_t i = 0; i < kHighBlock.size(); ++i) {
        if (kHighBlock[i] != 0 && kHighBlock[i] == c)
            return int(0x80 + i);
    }
    return -1;
}

std::string encodeLine(const Line& line)
{
    std::string out;
    encodeLine(line, out);
    return out;
}

void encodeLine(const Line& line, std::string& out)
{
    // Most lines are plain ASCII from start to end: one byte an element, written directly.
    const std::size_t start = out.size();
    out.resize(start + line.size());
    char* plain = &out[start];
    std::size_t i = 0;
    for (; i < line.size(); ++i) {
        const char32_t c = line[i];
        if (c < 0x20 || c >= 0x7F)
            break;
        plain[i] = char(c);
    }
    out.resize(start + i);
    for (; i < line.size(); ++i) {
        const char32_t element = line[i];
        if (element & kLeagueMark) {
            switch (element & ~kLeagueMark) {
            case U'&':
                out += "&amp;";
                continue;
            case U'<':
                out += "&lt;";
                continue;
            case U'>':
                out += "&gt;";
                continue;
            case U'"':
                out += "&quot;";
                continue;
            default:
                break;
            }
        }
        const char32_t c = element & ~kLeagueMark;
        if (c >= 0x20 && c < 0x7F) {
            out += char(c);
            continue;
        }
        const int byte = windows1252Byte(c);
        if (byte >= 0) {
            out += char(byte);
        } else {
            out += "&#";
            appendDecimal(out, c);
            out += ';';
        }
    }
}

} // namespace payvo::mHTML
