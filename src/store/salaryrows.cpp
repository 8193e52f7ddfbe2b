#include "store/salaryrows.h"

#include <SQLiteCpp/Exception.h>

#include <sqlite3.h>

#include <memory>

namespace payvo
{

namespace
{

QString textAt(sqlite3_stmt* s, int column)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(s, column)) : QString();
}

} // namespace

void forEachSalaryRow(
    SalaryFile& file, const std::function<void(const SalaryRow& row, const std::function<QString()>& name)>& visit)
{
    file.guarded([&] {
        // The engine's own interface: on millions of rows its wrapper's per-column objects count.
        sqlite3* db = file.database().getHandle();
        sqlite3_stmt* s = nullptr;
        const int prepared = sqlite3_prepare_v2(
            db, "SELECT TeamID, Position, Salary, FirstName, LastName FROM Players", -1, &s, nullptr);
        const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(s, &sqlite3_finalize);
        if (prepared != SQLITE_OK)
            throw SQLite::Exception(db, prepared);
        const std::function<QString()> name = [s] { return textAt(s, 3) + QLatin1Char(' ') + textAt(s, 4); };
        SalaryRow row;
        int step = SQLITE_ROW;
        while ((step = sqlite3_step(s)) == SQLITE_ROW) {
            row.teamId = sqlite3_column_type(s, 0) == SQLITE_NULL ? std::nullopt
                                                                  : std::optional<int>(sqlite3_column_int(s, 0));
            row.position = sqlite3_column_type(s, 1) == SQLITE_INTEGER ? std::optional<int>(sqlite3_column_int(s, 1))
                                                                       : std::nullopt;
            row.salary = sqlite3_column_type(s, 2) == SQLITE_NULL ? std::nullopt
                                                                  : std::optional<double>(sqlite3_column_double(s, 2));
            visit(row, name);
        }
        if (step != SQLITE_DONE)
            throw SQLite::Exception(db, step);
    });
}

} // namespace payvo
