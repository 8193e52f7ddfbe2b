#include "store/salaryfile.h"

#include "common/prompt.h"
#include "store/fileguard.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <SQLiteCpp/Statement.h>
#include <sqlite3.h>

#include <set>

namespace payvo
{

namespace
{

using CT = ColumnType;

// An unmistakable mark for files this program made; other tools' files lack it and are
// still accepted when their tables fit.
constexpr int kApplicationId = 0x5059564F; // "PYVO"

std::string columnSql(const ColumnDef& c)
{
    const std::string n = std::string("\"") + c.name + "\"";
    const std::string nullOr = "CHECK (" + n + " IS NULL OR ";
    switch (c.type) {
    case CT::Int16:
        return n + " INTEGER " + nullOr + "(typeof(" + n + ") = 'integer' AND " + n + " BETWEEN -32768 AND 32767))";
    case CT::Byte:
        return n + " INTEGER " + nullOr + "(typeof(" + n + ") = 'integer' AND " + n + " BETWEEN 0 AND 255))";
    case CT::Currency:
        return n + " REAL " + nullOr + "(typeof(" + n + ") IN ('real', 'integer') AND abs(" + n
            + ") <= 922337203685477.5807))";
    case CT::Text:
        return n + " TEXT";
    }
    return n;
}

void createTable(SQLite::Database& db, const char* table, const std::vector<ColumnDef>& columns)
{
    std::string sql = std::string("CREATE TABLE \"") + table + "\" (";
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0)
            sql += ", ";
        sql += columnSql(columns[i]);
    }
    sql += ")";
    db.exec(sql);
}

} // namespace

const std::vector<ColumnDef>& playersColumns()
{
    static const std::vector<ColumnDef> columns = {
        { "PID", CT::Int16 },
        { "TeamID", CT::Int16 },
        { "FirstName", CT::Text },
        { "LastName", CT::Text },
        { "Years", CT::Byte },
        { "Position", CT::Byte },
        { "PositionGen", CT::Byte },
        { "INJ_Sev_a", CT::Byte },
        { "INJ_Sev_b", CT::Byte },
        { "INJ_Type", CT::Byte },
        { "INJ_Week", CT::Byte },
        { "INJStatus", CT::Byte },
        { "Pot_SP", CT::Byte },
        { "Pot_AC", CT::Byte },
        { "Pot_AG", CT::Byte },
        { "Pot_ST", CT::Byte },
        { "Pot_HA", CT::Byte },
        { "Pot_EN", CT::Byte },
        { "Pot_IN", CT::Byte },
        { "Pot_DI", CT::Byte },
        { "Act_SP", CT::Byte },
        { "Act_AC", CT::Byte },
        { "Act_AG", CT::Byte },
        { "Act_ST", CT::Byte },
        { "Act_HA", CT::Byte },
        { "Act_EN", CT::Byte },
        { "Act_IN", CT::Byte },
        { "Act_DI", CT::Byte },
        { "Height", CT::Byte },
        { "Weight", CT::Byte },
        { "SkinColor", CT::Byte },
        { "OrgTeam", CT::Byte },
        { "OrgJerseyNum", CT::Byte },
        { "fBWPicture", CT::Byte },
        { "fColorPicture", CT::Byte },
        { "fPlayerCard", CT::Byte },
        { "fAudioPBP", CT::Byte },
        { "Salary", CT::Currency },
    };
    return columns;
}

const std::vector<ColumnDef>& teamsColumns()
{
    static const std::vector<ColumnDef> columns = {
        { "TeamID", CT::Byte },
        { "City", CT::Text },
        { "Mascot", CT::Text },
        { "Abbr", CT::Text },
        { "Coach", CT::Text },
    };
    return columns;
}

QString salaryFileForLeague(const QString& leagueFile)
{
    return leagueFile.left(qMax<qsizetype>(0, leagueFile.size() - 4)) + QStringLiteral(".pyv");
}

QString leagueNameForFile(const QString& file)
{
    const QString title = QFileInfo(file).fileName();
    return title.left(qMax<qsizetype>(0, title.size() - 4));
}

bool confirmOverwrite(const QString& path, UserPrompt& prompt)
{
    const QFileInfo file(plainPath(path));
    if (!file.exists() && !file.isSymLink())
        return true;
    return prompt.question(QStringLiteral("File already exists. Overwrite it?"), UserPrompt::Icon::Exclamation);
}

void createSchema(SQLite::Database& db)
{
    db.exec("PRAGMA application_id = " + std::to_string(kApplicationId));
    createTable(db, "Players", playersColumns());
    createTable(db, "Teams", teamsColumns());
}

void createEmptySalaryFile(const QString& path)
{
    QFile::remove(path);
    SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    createSchema(db);
}

void requireRegularFile(const QString& path)
{
    const QFileInfo file(plainPath(path));
    if (file.isFile())
        return;
    if (!file.exists())
        throw SQLite::Exception("no such file: " + path.toStdString());
    if (file.isDir())
        throw SQLite::Exception(path.toStdString() + " is a folder");
    throw SQLite::Exception(path.toStdString() + " is not a regular file");
}

SQLite::Database openSalaryFile(const QString& path, bool writable)
{
    requireRegularFile(path);
    return openExisting(plainPath(path), writable);
}

namespace
{

// What checkSalaryFile and verifySalaryFile say of the file; quick adds the engine's check.
QString salaryFileProblem(const QString& path, bool quick)
{
    try {
        SQLite::Database db = openSalaryFile(path);
        const auto check = [&db](const char* table, const std::vector<ColumnDef>& columns) -> QString {
            SQLite::Statement info(db, std::string("PRAGMA table_info(\"") + table + "\")");
            std::set<std::string> have;
            while (info.executeStep())
                have.insert(QString::fromStdString(info.getColumn(1).getString()).toLower().toStdString());
            if (have.empty())
                return QStringLiteral("it has no %1 table").arg(QLatin1String(table));
            QStringList missing;
            for (const ColumnDef& c : columns) {
                if (!have.count(QString::fromLatin1(c.name).toLower().toStdString()))
                    missing << QLatin1String(c.name);
            }
            if (!missing.isEmpty())
                return QStringLiteral("its %1 table lacks the column%2 %3")
                    .arg(QLatin1String(table), missing.size() > 1 ? QStringLiteral("s") : QString(),
                        missing.join(QStringLiteral(", ")));
            return QString();
        };
        QString why = check("Teams", teamsColumns());
        if (why.isEmpty())
            why = check("Players", playersColumns());
        if (!why.isEmpty())
            return QStringLiteral("%1 is not a salary file: %2").arg(path, why);
        if (!quick)
            return QString();
        SQLite::Statement engineCheck(db, "PRAGMA quick_check(1)");
        if (!engineCheck.executeStep() || engineCheck.getColumn(0).getString() == "ok")
            return QString();
        QString damage = QString::fromStdString(engineCheck.getColumn(0).getString());
        return QStringLiteral("%1 is damaged: %2").arg(path, damage.replace(QLatin1Char('\n'), QStringLiteral("; ")));
    } catch (const FileRefused& e) {
        return QString::fromUtf8(e.what());
    } catch (const SQLite::Exception& e) {
        // A file another program holds locked may well be a salary file: say only that it is busy.
        const int code = e.getErrorCode() & 0xff;
        if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
            return QStringLiteral("cannot read %1: %2").arg(path, engineErrorText(e));
        return QStringLiteral("%1 is not a salary file: %2").arg(path, engineErrorText(e));
    }
}

} // namespace

QString checkSalaryFile(const QString& path)
{
    return salaryFileProblem(path, false);
}

QString verifySalaryFile(const QString& path)
{
    return salaryFileProblem(path, true);
}

} // namespace payvo
