#pragma once

#include <QIcon>

namespace payvo
{

// The program's icon in every size that ships, read from the hicolor icon folder beside
// the shared data folder (/usr/share/icons/hicolor when installed, <build>/share/icons/hicolor
// in the build tree). An empty icon when none is there.
QIcon applicationIcon(const QString& programDir);

} // namespace payvo
