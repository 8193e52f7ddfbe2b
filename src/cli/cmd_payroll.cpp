// payvo-cli payroll: a team's payroll as the summary panel shows it.
#include "cli/command.h"
#include "cli/views.h"
#include "store/payroll.h"
#include "store/salaryfile.h"

#include <SQLiteCpp/Exception.h>

namespace payvo::cli {

namespace {

void declare(QCommandLineParser& p)
{
    p.addOption(QCommandLineOption(QStringLiteral("team"), QString(), QStringLiteral("N")));
    p.addPositionalArgument(QStringLiteral("salary-file"), QString());
}

int run(CommandContext& ctx)
{
    if (!ctx.args.isSet(QStringLiteral("team")))
        return usageFailure(ctx, QStringLiteral("'payroll' needs --team N"));
    int team = 0;
    if (!filterOption(ctx, QStringLiteral("team"), team))
        return kUsage;
    const QString file = ctx.args.positionalArguments().at(0);
    const QString why = checkSalaryFile(file);
    if (!why.isEmpty())
        return ctx.fail(why);
    PayrollValues values;
    try {
        values = teamPayroll(file, team);
    } catch (const SQLite::Exception& e) {
        return ctx.fail(QStringLiteral("%1: %2").arg(file, QString::fromUtf8(e.what())));
    }
    for (const PayrollLine& line : kPayrollLines)
        ctx.out() << line.caption << '\t' << values[std::size_t(line.index)] << '\n';
    return kDone;
}

} // namespace

extern const Command kPayrollCommand;
const Command kPayrollCommand = {"payroll", "payroll SALARY.pyv --team N", declare, run, 1};

} // namespace payvo::cli
