#pragma once

// The checks of the fuzz targets: a broken check names its place and what was being checked,
// and ends the run (libFuzzer saves the input as a finding).

#include <QString>

#include <cstdio>
#include <cstdlib>

namespace payvo::fuzz
{

// The record, message or file being checked, shown with a broken check.
inline QString g_subject;

[[noreturn]] inline void broken(const char* what, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: broken: %s\n", file, line, what);
    if (!g_subject.isEmpty())
        std::fprintf(stderr, "  on: %s\n", g_subject.toUtf8().toPercentEncoding(" |[]#-").constData());
    std::abort();
}

} // namespace payvo::fuzz

#define CHECK(cond)                                                                                                    \
    do {                                                                                                               \
        if (!(cond))                                                                                                   \
            payvo::fuzz::broken(#cond, __FILE__, __LINE__);                                                            \
    } while (false)
