#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace payvo::mHTML
{

// One line of a report, one element per column the reader sees. Report columns are made
// with spaces, so every width is counted on this form rather than on the bytes written:
//
// - markup and the program's own texts are stored as themselves, one element a character;
// - league text (names, city, mascot, the league name) is stored one element per code
//   point, and the characters that HTML would read as markup (& < > ") carry kLeagueMark,
//   so that they are written as entities but still take one column.
//
// encodeLine turns a line into the bytes of the file.
using Line = std::u32string;

inline constexpr char32_t kLeagueMark = 0x80000000u;

// Program text, taken character for character (ASCII only: tags, labels, numbers).
Line markup(std::string_view ascii);

// A whole number in decimal, without padding.
Line number(long long value);

// Text that comes from the league or the settings file. Spaces are kept as they are.
Line leagueText(const QString& text);

// The same for UTF-8 text (a database column), appended to a line. A byte that does not
// belong to a well-formed sequence counts as U+FFFD.
void appendLeagueText(Line& line, std::string_view utf8);

// The bytes of a line in Windows-1252: league text's & < > " as &amp; &lt; &gt; &quot;;
// a character Windows-1252 cannot hold, or a control character, as "&#N;" (N decimal).
// No line end is added.
std::string encodeLine(const Line& line);
void encodeLine(const Line& line, std::string& out); // appends to out

// The Windows-1252 byte of a code point, or -1 when the code page has none. Control
// characters (C0, DEL, C1) count as having none, so they never reach the file raw.
int windows1252Byte(char32_t c);

} // namespace payvo::mHTML
