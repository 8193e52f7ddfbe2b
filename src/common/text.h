#pragma once

#include <QString>

namespace payvo
{

// Removes the spaces around a text, and only spaces: tabs and other blanks stay. Names and
// settings values are trimmed this way.
QString trimSpaces(const QString& text);

// League text as character data or an attribute value of HTML or SVG: the markup characters
// as references, the characters XML forbids (controls, lone surrogates, U+FFFE/F) and the C1
// controls HTML rejects as U+FFFD.
QString markupText(const QString& text);

} // namespace payvo
