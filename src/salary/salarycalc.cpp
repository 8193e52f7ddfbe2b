#include "salary/salarycalc.h"

#include "common/money.h"
#include "common/positions.h"
#include "common/prompt.h"
#include "common/status.h"
#include "salary/iniutils.h"
#include "store/salaryfile.h"

#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>

#include <limits>
#include <vector>

namespace payvo {

namespace {

struct Tier {
    int above;
    double bonus;
};
constexpr Tier kTiers[] = {{69, 0.5}, {79, 0.75}, {84, 1.0}, {89, 1.25}, {94, 1.5}};

// The record count of a pass is a 16-bit number: a larger position cannot be counted.
constexpr int kMaxPassPlayers = 32767;

constexpr const char* kActualColumns[8] = {"Act_SP", "Act_AC", "Act_AG", "Act_ST",
                                           "Act_HA", "Act_EN", "Act_IN", "Act_DI"};

// A rating the file holds no value for passes no tier.
constexpr int kNoRating = -1;

struct PassRow {
    std::int64_t rowid;
    bool salaryNull;
    double salary;
    int ratings[8];
};

std::optional<std::int32_t> readLimit(const QString& key, const QString& meaning, const QString& iniFile,
                                       UserPrompt& prompt)
{
    const QString text = INIUTILS::ReadINI(QStringLiteral("Salary"), key, iniFile);
    const auto value =
        toWholeNumber(text, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    if (value)
        return std::int32_t(*value);
    if (text.isEmpty())
        prompt.remark(QStringLiteral("%1 gives no \"%2\" in [Salary]: salaries have no %3")
                          .arg(iniFile, key, meaning));
    else
        prompt.remark(QStringLiteral("\"%1\" in [Salary] of %2 is \"%3\", not a whole number from %4 to %5: "
                                     "salaries have no %6")
                          .arg(key, iniFile, text)
                          .arg(std::numeric_limits<std::int32_t>::min())
                          .arg(std::numeric_limits<std::int32_t>::max())
                          .arg(meaning));
    return std::nullopt;
}

} // namespace

double bonusFactor(const int (&ratings)[8])
{
    double factor = 1.0;
    for (const Tier& tier : kTiers) {
        for (int r : ratings) {
            if (r > tier.above)
                factor += tier.bonus;
        }
    }
    return factor;
}

std::int16_t GetWeight(const QString& section, const QString& key, const QString& iniFile)
{
    const auto w = toWholeNumber(INIUTILS::ReadINI(section, key, iniFile), std::numeric_limits<std::int16_t>::min(),
                                 std::numeric_limits<std::int16_t>::max());
    return w ? std::int16_t(*w) : std::int16_t(1);
}

SalaryLimits readSalaryLimits(const QString& iniFile, UserPrompt& prompt)
{
    SalaryLimits limits;
    limits.lngMax = readLimit(QStringLiteral("Max"), QStringLiteral("upper limit"), iniFile, prompt);
    limits.lngMin = readLimit(QStringLiteral("Min"), QStringLiteral("lower limit"), iniFile, prompt);
    return limits;
}

QString BuildSalarySQL(const QString& section, int position, const QString& iniFile)
{
    const auto w = [&](const char* key) {
        return QString::number(GetWeight(section, QLatin1String(key), iniFile));
    };
    // The engine refuses a table name before the assigned column ("SET Players.Salary").
    return QStringLiteral("UPDATE Players SET Salary = ") + QStringLiteral("(Act_SP* ") + w("SP")
           + QStringLiteral(")+(Act_AC* ") + w("AC") + QStringLiteral(")+(Act_AG* ") + w("AG")
           + QStringLiteral(")+(Act_ST* ") + w("ST") + QStringLiteral(")+(Act_HA* ") + w("HA")
           + QStringLiteral(")+(Act_EN* ") + w("EN") + QStringLiteral(")+(Act_IN* ") + w("IN")
           + QStringLiteral(")+(Act_DI* ") + w("DI") + QStringLiteral(") WHERE Players.Position= ")
           + QString::number(position);
}

SalaryPass CalcSal(const QString& salaryFile, const QString& strSQL, int iPosition, const SalaryLimits& limits,
                   StatusSink& status)
{
    SalaryPass pass;
    try {
        SQLite::Database db = openSalaryFile(salaryFile, /*writable=*/true);
        // What the pass stored stays, also when it ends early.
        SQLite::Transaction tx(db);
        try {
            db.exec(strSQL.toStdString());

            std::vector<PassRow> rows;
            {
                SQLite::Statement q(db, "Select rowid, * from Players Where Position = " + std::to_string(iPosition));
                const int salaryAt = q.getColumnIndex("Salary");
                int ratingAt[8];
                for (int i = 0; i < 8; ++i)
                    ratingAt[i] = q.getColumnIndex(kActualColumns[i]);
                while (q.executeStep()) {
                    PassRow row{};
                    row.rowid = q.getColumn(0).getInt64();
                    const SQLite::Column salary = q.getColumn(salaryAt);
                    row.salaryNull = salary.isNull();
                    row.salary = row.salaryNull ? 0.0 : salary.getDouble();
                    for (int i = 0; i < 8; ++i) {
                        const SQLite::Column r = q.getColumn(ratingAt[i]);
                        row.ratings[i] = r.isNull() ? kNoRating : r.getInt();
                    }
                    rows.push_back(row);
                }
            }
            pass.players = int(rows.size());
            if (rows.empty()) {
                tx.commit();
                return pass;
            }
            if (rows.size() > std::size_t(kMaxPassPlayers)) {
                pass.error = QStringLiteral("%1 players, more than the %2 one pass can count")
                                 .arg(rows.size())
                                 .arg(kMaxPassPlayers);
                tx.commit();
                return pass;
            }

            const double step = (100.0 / 15.0) / double(rows.size());
            SQLite::Statement set(db, "UPDATE Players SET Salary = ? WHERE rowid = ?");
            for (const PassRow& row : rows) {
                if (row.salaryNull) {
                    set.bind(1);
                } else {
                    const double product = row.salary * bonusFactor(row.ratings);
                    double salary = product;
                    if (limits.lngMax && product > double(*limits.lngMax))
                        salary = double(*limits.lngMax);
                    else if (limits.lngMin && product < double(*limits.lngMin))
                        salary = double(*limits.lngMin);
                    set.bind(1, salary);
                }
                set.bind(2, row.rowid);
                set.exec();
                set.reset();
                ++pass.computed;
                status.UpdateStatus(step);
            }
            tx.commit();
        } catch (const std::exception& e) {
            pass.error = QString::fromUtf8(e.what());
            try {
                tx.commit();
            } catch (const std::exception&) {
                // The engine had already rolled the pass back.
            }
        }
    } catch (const std::exception& e) {
        pass.error = QString::fromUtf8(e.what());
    }
    return pass;
}

SalaryRun SetSalary(const QString& salaryFile, const QString& iniFile, StatusSink& status, UserPrompt& prompt)
{
    SalaryRun run;
    if (salaryFile.isEmpty()) {
        prompt.message(QStringLiteral("You must open a .pyv file first!"), UserPrompt::Icon::Exclamation);
        return run;
    }
    run.ran = true;
    status.setProgressVisible(true);
    status.setProgressValue(0);
    const SalaryLimits limits = readSalaryLimits(iniFile, prompt);
    for (int p = 0; p < kPositionCount; ++p) {
        const QString section = positionAbbr(p);
        status.setStatusText(QStringLiteral("Calculating Salaries for ") + section);
        const QString statement = BuildSalarySQL(section, p, iniFile);
        const SalaryPass pass = CalcSal(salaryFile, statement, p, limits, status);
        run.players += pass.players;
        run.computed += pass.computed;
        if (!pass.error.isEmpty() && run.error.isEmpty())
            run.error = section + QStringLiteral(": ") + pass.error;
    }
    status.setProgressVisible(false);
    status.setProgressValue(0);
    status.setStatusText(QStringLiteral("Finished"));
    return run;
}

} // namespace payvo
