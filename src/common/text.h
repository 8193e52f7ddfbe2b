#pragma once

#include <QString>

namespace payvo
{

// Removes the spaces around a text, and only spaces: tabs and other blanks stay. Names and
// settings values are trimmed this way.
QString trimSpaces(const QString& text);

} // namespace payvo
