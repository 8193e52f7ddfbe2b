#include "salary/salarycalc.h"

#include "common/positions.h"
#include "common/prompt.h"
#include "common/status.h"
#include "salary/salaryrule.h"
#include "store/fileguard.h"
#include "store/salarystore.h"

#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>
#include <sqlite3.h>

#include <optional>
#include <vector>

namespace payvo
{

namespace
{

struct PassRow {
    std::int64_t rowid;
    Ratings ratings;
};

// One position's pass: every player of the position gets the salary the rule gives him,
// written in one transaction. What was stored stays when the pass ends early.
QString runPass(SalaryFile& file, int position, const SalaryConfig& config, StatusSink& status, SalaryRun& run)
{
    SQLite::Database& db = file.database();
    SQLite::Transaction tx(db);
    int written = 0; // rows of this pass updated; they count once the commit keeps them
    bool committing = false; // a commit that failed is not tried again: the pass is lost
    try {
        std::vector<PassRow> rows;
        {
            SQLite::Statement q(db,
                "SELECT rowid, Act_SP, Act_AC, Act_AG, Act_ST, Act_HA, Act_EN, Act_IN, Act_DI "
                "FROM Players WHERE Position = ?");
            q.bind(1, position);
            while (q.executeStep()) {
                PassRow row { q.getColumn(0).getInt64(), {} };
                for (int i = 0; i < 8; ++i) {
                    const SQLite::Column r = q.getColumn(1 + i);
                    if (!r.isNull())
                        row.ratings[std::size_t(i)] = r.getInt64();
                }
                rows.push_back(row);
            }
        }
        run.players += int(rows.size());
        if (rows.size() > std::size_t(kMaxPassPlayers))
            return QStringLiteral("%1 players, more than the %2 one pass can count")
                .arg(rows.size())
                .arg(kMaxPassPlayers);
        if (rows.empty())
            return QString();

        const PositionWeights& weights = config.weights[std::size_t(position)];
        const double step = (100.0 / 15.0) / double(rows.size());
        SQLite::Statement set(db, "UPDATE Players SET Salary = ? WHERE rowid = ?");
        for (const PassRow& row : rows) {
            const SalaryBreakdown b = computeSalary(row.ratings, weights, config.limits);
            if (b.salary)
                set.bind(1, *b.salary);
            else
                set.bind(1);
            set.bind(2, row.rowid);
            set.exec();
            set.reset();
            ++written;
            status.UpdateStatus(step);
        }
        committing = true;
        tx.commit();
        run.computed += written;
        return QString();
    } catch (const std::exception& e) {
        try {
            if (!committing) {
                tx.commit();
                run.computed += written;
            }
        } catch (const std::exception&) {
            // The engine had already rolled the pass back.
        }
        const auto* engine = dynamic_cast<const SQLite::Exception*>(&e);
        if (!engine)
            return QString::fromUtf8(e.what());
        // Once another program was found holding the file, the later passes still try it but
        // no longer wait for it, so that a run does not stand still for every position.
        const int code = engine->getErrorCode() & 0xff;
        if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
            db.setBusyTimeout(0);
        return engineErrorText(*engine);
    }
}

} // namespace

SalaryRun recalculateSalaries(const QString& salaryFile, const QString& iniFile, StatusSink& status, UserPrompt& prompt)
{
    SalaryRun run;
    if (salaryFile.isEmpty()) {
        prompt.message(QStringLiteral("You must open a .pyv file first!"), UserPrompt::Icon::Exclamation);
        return run;
    }
    run.ran = true;
    status.setProgressVisible(true);
    status.setProgressValue(0);
    const SalaryConfig config = SalaryConfig::load(iniFile);
    for (const QString& remark : config.remarks)
        prompt.remark(remark);

    std::optional<SalaryFile> file;
    try {
        file.emplace(salaryFile, SalaryFile::Access::Write);
        run.opened = true;
    } catch (const StoreError& e) {
        run.error = e.message();
    }
    for (int p = 0; p < kPositionCount; ++p) {
        const QString section = positionAbbr(p);
        status.setStatusText(QStringLiteral("Calculating Salaries for ") + section);
        const QString error = file ? runPass(*file, p, config, status, run) : QString();
        if (!error.isEmpty() && run.error.isEmpty())
            run.error = section + QStringLiteral(": ") + error;
    }
    status.setProgressVisible(false);
    status.setProgressValue(0);
    status.setStatusText(QStringLiteral("Finished"));
    return run;
}

} // namespace payvo
