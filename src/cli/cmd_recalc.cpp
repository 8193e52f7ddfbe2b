// payvo-cli recalc SALARY.pyv: Edit, Re-Calculate Salaries without a window.
#include "cli/command.h"
#include "salary/salarycalc.h"
#include "store/fileguard.h"
#include "store/salaryfile.h"

namespace payvo::cli
{

namespace
{

void declareRecalc(QCommandLineParser& parser)
{
    parser.addPositionalArgument(QStringLiteral("SALARY.pyv"), QStringLiteral("The salary file to compute again."));
}

int runRecalc(CommandContext& ctx)
{
    const QString salaryFile = plainPath(ctx.args.positionalArguments().at(0));
    const QString notSalaryFile = checkSalaryFile(salaryFile);
    if (!notSalaryFile.isEmpty())
        return ctx.fail(notSalaryFile);

    CliPrompt prompt(ctx.err(), false);
    CliStatus status(ctx.err(), ctx.env.errIsTerminal);
    warnIfNoSettingsFile(ctx, prompt);
    const SalaryRun salaries = recalculateSalaries(salaryFile, ctx.iniFile, status, prompt);
    if (!salaries.opened)
        return ctx.fail(QStringLiteral("no salary was stored: %1").arg(salaries.error));
    ctx.out() << "Recalculated " << salaries.computed << " of " << salaries.players << " salaries in "
              << terminalText(salaryFile) << " with " << terminalText(ctx.iniFile) << "\n";
    ctx.out().flush();
    if (!salaries.error.isEmpty())
        return ctx.fail(QStringLiteral("the salaries of %1 are incomplete: %2").arg(salaryFile, salaries.error));
    return kDone;
}

} // namespace

extern const Command kRecalcCommand = {
    "recalc",
    "recalc SALARY.pyv [--ini FILE]",
    declareRecalc,
    runRecalc,
    1,
    "compute every salary of a salary file again",
    "Does what Edit, Re-Calculate Salaries does in the window: computes every player's salary "
    "again from his ratings and the weights and limits of the settings file.",
};

} // namespace payvo::cli
