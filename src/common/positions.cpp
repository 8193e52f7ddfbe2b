#include "common/positions.h"

namespace payvo
{

QString positionAbbr(int code)
{
    if (code < 0 || code >= kPositionCount)
        return QString();
    return QString::fromLatin1(kPositionAbbr[static_cast<std::size_t>(code)]);
}

} // namespace payvo
