// payvo-cli cap and payvo-cli matrix: the cap board's Teams and Positions views.
#include "board/boardtables.h"
#include "cli/command.h"
#include "cli/views.h"
#include "salary/salaryconfig.h"
#include "store/fileguard.h"
#include "store/salaryfile.h"
#include "store/salarystore.h"

#include <functional>

namespace payvo::cli
{

namespace
{

void declareCap(QCommandLineParser& p)
{
    p.addOption(QCommandLineOption(QStringLiteral("format"),
        QStringLiteral("Print an aligned table (text, the default), RFC 4180 CSV with "
                       "one header row, or JSON."),
        QStringLiteral("text|csv|json")));
    p.addPositionalArgument(QStringLiteral("SALARY.pyv"), QStringLiteral("The salary file; it is only read."));
}

void declareMatrix(QCommandLineParser& p)
{
    declareCap(p);
    p.addOption(QCommandLineOption(
        QStringLiteral("percent"), QStringLiteral("Give every figure as a percentage of the cap, with two decimals.")));
}

// Reads the board and prints it; status as the other commands.
int runBoard(
    CommandContext& ctx, const std::function<void(const CapBoard&, BoardFormat, QTextStream&)>& print, bool needsCap)
{
    BoardFormat f = BoardFormat::Text;
    if (!formatOption(ctx, f))
        return kUsage;
    const QString file = plainPath(ctx.args.positionalArguments().at(0));
    const QString why = checkSalaryFile(file);
    if (!why.isEmpty())
        return ctx.fail(why);
    const SalaryConfig config = SalaryConfig::load(ctx.iniFile);
    CapBoard board;
    try {
        SalaryFile salaries(file);
        board = CapBoard::build(salaries, config);
    } catch (const StoreError& e) {
        return ctx.fail(e.message());
    }
    if (!board.cap && needsCap)
        ctx.err() << "payvo-cli: warning: " << ctx.iniFile << " gives no salary cap (\"Amount\" in [Salary]) above 0: "
                  << "no cap room, no % of cap, nobody over the cap\n";
    if (f == BoardFormat::Text)
        writeText(ctx, [&](QTextStream& out) { print(board, f, out); });
    else
        print(board, f, ctx.out());
    return kDone;
}

int runCap(CommandContext& ctx)
{
    return runBoard(
        ctx, [](const CapBoard& board, BoardFormat f, QTextStream& out) { writeCap(board, f, out); }, true);
}

int runMatrix(CommandContext& ctx)
{
    const bool percent = ctx.args.isSet(QStringLiteral("percent"));
    return runBoard(
        ctx, [&](const CapBoard& board, BoardFormat f, QTextStream& out) { writeMatrix(board, percent, f, out); },
        percent);
}

} // namespace

extern const Command kCapCommand = {
    "cap",
    "cap SALARY.pyv [--ini FILE] [--format text|csv|json]",
    declareCap,
    runCap,
    1,
    "every team against the salary cap: payroll, cap room, % of cap",
    "Prints the cap board's Teams view: one line a team (free agents and the draft pool are no "
    "team) with its players, payroll, cap room (cap - payroll), % of cap, the Offense, Defense "
    "and Special sums and whether it is over the cap; then the league's total and average. The "
    "cap is Amount in the settings file; without a usable one, cap room and % are left out, "
    "nobody is over, and a warning goes to stderr.",
};
extern const Command kMatrixCommand = {
    "matrix",
    "matrix SALARY.pyv [--ini FILE] [--percent] [--format text|csv|json]",
    declareMatrix,
    runMatrix,
    1,
    "what each team spends at each position",
    "Prints the cap board's Positions view: one line a team with its payroll at each position "
    "QB to P, the Offense, Defense and Special sums and the total, in whole dollars or, with "
    "--percent, as percentages of the cap.",
};

} // namespace payvo::cli
