// A child process for tst_importcrash: imports a league into a salary file, answering Yes to
// the overwrite question, and kills itself with SIGKILL at a chosen point of the import.
//
//   importkill LEAGUE_PATH SALARY_FILE [--trace] [--kill-at-status TEXT] [--kill-at-progress N]
//              [--kill-before-rename] [--kill-after-rename]
//
// LEAGUE_PATH is the league file's path without ".lge". --trace prints every status text and
// every progress call ("status TEXT", "progress N"), one a line. The points:
//   --kill-at-status TEXT   when the status shows TEXT
//   --kill-at-progress N    at the N-th progress call (counted from 1)
//   --kill-before-rename    when the finished file is about to take the target's place
//   --kill-after-rename     right after it took it
// Exit status 0 when the import was done, 1 when it failed, 2 on bad usage.
#include "common/prompt.h"
#include "common/status.h"
#include "import/leagueimport.h"

#include <QCoreApplication>
#include <QStringList>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool g_killBeforeRename = false;
bool g_killAfterRename = false;

[[noreturn]] void killSelf()
{
    std::fflush(stdout);
    ::kill(::getpid(), SIGKILL);
    for (;;)
        ::pause();
}

class KillingStatus final : public payvo::PlainStatus {
public:
    bool trace = false;
    QString killAtStatus;
    long killAtProgress = 0;

    void setStatusText(const QString& text) override
    {
        PlainStatus::setStatusText(text);
        if (trace)
            std::printf("status %s\n", text.toUtf8().constData());
        if (!killAtStatus.isEmpty() && text == killAtStatus)
            killSelf();
    }
    void setProgressValue(double value) override
    {
        PlainStatus::setProgressValue(value);
        ++m_calls;
        if (trace)
            std::printf("progress %ld\n", m_calls);
        if (m_calls == killAtProgress)
            killSelf();
    }

private:
    long m_calls = 0;
};

class YesPrompt final : public payvo::UserPrompt {
public:
    void message(const QString& text, Icon) override { std::fprintf(stderr, "%s\n", text.toUtf8().constData()); }
    bool question(const QString&, Icon) override { return true; }
};

} // namespace

// The import puts its finished file in place with rename(); this process's own rename lets the
// test stop it on either side of that step. No other code of the program is changed for it.
extern "C" int rename(const char* from, const char* to) noexcept
{
    if (g_killBeforeRename)
        killSelf();
    const int rc = ::renameat(AT_FDCWD, from, AT_FDCWD, to);
    if (g_killAfterRename && rc == 0)
        killSelf();
    return rc;
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    KillingStatus status;
    QStringList positional;
    while (!args.isEmpty()) {
        const QString a = args.takeFirst();
        if (a == QLatin1String("--trace")) {
            status.trace = true;
        } else if (a == QLatin1String("--kill-at-status") && !args.isEmpty()) {
            status.killAtStatus = args.takeFirst();
        } else if (a == QLatin1String("--kill-at-progress") && !args.isEmpty()) {
            status.killAtProgress = args.takeFirst().toLong();
        } else if (a == QLatin1String("--kill-before-rename")) {
            g_killBeforeRename = true;
        } else if (a == QLatin1String("--kill-after-rename")) {
            g_killAfterRename = true;
        } else if (a.startsWith(QLatin1String("--"))) {
            std::fprintf(stderr, "importkill: unknown option %s\n", a.toUtf8().constData());
            return 2;
        } else {
            positional << a;
        }
    }
    if (positional.size() != 2) {
        std::fprintf(stderr, "usage: importkill LEAGUE_PATH SALARY_FILE [options]\n");
        return 2;
    }
    payvo::TextLeagueReader reader;
    YesPrompt prompt;
    const payvo::ImportResult r = payvo::ImportLeague(reader, positional[0], positional[1], status, prompt);
    g_killBeforeRename = g_killAfterRename = false;
    if (r.outcome != payvo::ImportResult::Outcome::Done) {
        std::fprintf(stderr, "importkill: %s\n", r.error.toUtf8().constData());
        return 1;
    }
    return 0;
}
