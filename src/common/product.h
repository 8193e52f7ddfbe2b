#pragma once

#include "version.h"

namespace payvo
{

// The application's title as message boxes, captions and report footers show it.
inline constexpr const char kAppTitle[] = PAYVO_TITLE;
inline constexpr const char kVersion[] = PAYVO_VERSION;

// The maker's web site. The project has no site of its own yet: the address is a
// reserved example domain, to be replaced when one exists.
inline constexpr const char kMakerUrl[] = "https://payvo.example/";
inline constexpr const char kMakerHost[] = "payvo.example";

} // namespace payvo
