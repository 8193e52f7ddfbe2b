// payvo-cli payroll: a team's payroll as the summary panel shows it.
#include "cli/command.h"
#include "cli/views.h"
#include "store/fileguard.h"
#include "store/payroll.h"
#include "store/salaryfile.h"

#include <SQLiteCpp/Exception.h>

namespace payvo::cli
{

namespace
{

void declare(QCommandLineParser& p)
{
    p.addOption(QCommandLineOption(QStringLiteral("team"),
        QStringLiteral("The team filter, required: a team's number (1 to 97), 0 the "
                       "free agents, 99 the draft pool, 98 every team."),
        QStringLiteral("N")));
    p.addPositionalArgument(QStringLiteral("SALARY.pyv"), QStringLiteral("The salary file to read."));
}

int run(CommandContext& ctx)
{
    if (!ctx.args.isSet(QStringLiteral("team")))
        return ctx.fail(QStringLiteral("'payroll' needs --team N"), kUsage);
    int team = 0;
    if (!filterOption(ctx, QStringLiteral("team"), team))
        return kUsage;
    const QString file = plainPath(ctx.args.positionalArguments().at(0));
    const QString why = checkSalaryFile(file);
    if (!why.isEmpty())
        return ctx.fail(why);
    PayrollValues values;
    try {
        SalaryFile salaryFile(file);
        values = teamPayroll(salaryFile, team);
    } catch (const StoreError& e) {
        return ctx.fail(e.message());
    }
    for (const PayrollLine& line : kPayrollLines)
        ctx.out() << line.caption << '\t' << values[std::size_t(line.index)] << '\n';
    return kDone;
}

} // namespace

extern const Command kPayrollCommand;
const Command kPayrollCommand = {
    "payroll",
    "payroll SALARY.pyv --team N",
    declare,
    run,
    1,
    "print a team's payroll by position, by group and in total",
    "Prints the window's payroll panel for a team: 19 lines CAPTION<TAB>VALUE in the panel's "
    "order (QB HB FB WR TE C G T DE DT LB CB S K P, Offense, Defense, Special, Total), the "
    "value empty where the panel shows none.",
};

} // namespace payvo::cli
