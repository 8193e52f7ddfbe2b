#pragma once

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace payvo
{

// JSON written as text, so that an object's members stand in the order a reader expects
// them (the order the documentation lists), not sorted by name.

// A field of machine-readable output as a JSON value: an empty field is null.
QString jsonValue(const QString& field);
// A string with its quotes; a quote, a backslash and every control character escaped.
QString jsonString(const QString& text);
// "key": value pairs in the given order, the values already JSON.
QString jsonObject(const std::vector<std::pair<const char*, QString>>& members);
// The items of an array, one a line, indented by indent spaces; the closing bracket one
// space less.
QString jsonArray(const QStringList& items, int indent);

} // namespace payvo
