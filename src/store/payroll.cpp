#include "store/payroll.h"

#include "common/money.h"
#include "common/positions.h"
#include "store/salaryfile.h"

#include <SQLiteCpp/Statement.h>

#include <string>

namespace payvo
{

namespace
{

QString payrollByPositionQuery(int team)
{
    return QStringLiteral("Select Sum(Salary) as TotSalary, Position from Players Where TeamID = ")
        + QString::number(team) + QStringLiteral(" Group by Position");
}

QString payrollGroupQuery(int team, int group)
{
    QString condition;
    switch (group) {
    case kPayrollOffense:
        condition = QStringLiteral(" and Position < ") + QString::number(8);
        break;
    case kPayrollDefense:
        condition = QStringLiteral(" and Position > ") + QString::number(7) + QStringLiteral(" and Position < ")
            + QString::number(13);
        break;
    case kPayrollSpecial:
        condition = QStringLiteral(" and Position > ") + QString::number(12);
        break;
    default:
        return QString();
    }
    return QStringLiteral("Select Sum(Salary) as TotSalary from Players Where TeamID = ") + QString::number(team)
        + condition;
}

} // namespace

PayrollValues teamPayroll(SalaryFile& file, int team)
{
    return file.guarded([&] {
        PayrollValues values;
        SQLite::Database& db = file.database();

        double total = 0;
        {
            SQLite::Statement q(db, payrollByPositionQuery(team).toStdString());
            // At most one row per position: more than fifteen rows means codes the panel
            // has no room for, and only the first fifteen are looked at.
            for (int pass = 0; pass < kPositionCount && q.executeStep(); ++pass) {
                const SQLite::Column sum = q.getColumn(0);
                if (sum.isNull() || !(sum.getDouble() > 0))
                    continue;
                const SQLite::Column position = q.getColumn(1);
                const long long code = position.isNull() ? -1 : position.getInt64();
                if (code < 0 || code >= kPositionCount)
                    throw SQLite::Exception("position code "
                        + (position.isNull() ? std::string("Null") : std::to_string(code))
                        + " has no row in the payroll panel");
                values[std::size_t(code)] = formatMoney(sum.getDouble());
                total += sum.getDouble();
            }
        }
        for (const int group : { kPayrollOffense, kPayrollDefense, kPayrollSpecial }) {
            SQLite::Statement q(db, payrollGroupQuery(team, group).toStdString());
            if (q.executeStep() && !q.getColumn(0).isNull())
                values[std::size_t(group)] = formatMoney(q.getColumn(0).getDouble());
        }
        values[kPayrollTotal] = formatMoney(total);
        return values;
    });
}

} // namespace payvo
