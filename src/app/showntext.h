#pragma once

#include <QString>

namespace payvo
{

// League texts may be of any length; a widget lays out and paints the whole of a text every
// time it is drawn, and one of megabytes takes seconds each time. The window shows at most
// this many characters of a text, the last of them an ellipsis; files and reports keep the
// whole text.
inline constexpr int kMaxShownChars = 256;

inline QString shownText(const QString& text)
{
    if (text.size() <= kMaxShownChars)
        return text;
    qsizetype keep = kMaxShownChars - 1;
    if (text[keep - 1].isHighSurrogate())
        --keep;
    return text.left(keep) + QChar(0x2026);
}

} // namespace payvo
