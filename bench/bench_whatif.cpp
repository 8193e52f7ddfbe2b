// Times the what-if on a large league: the one read when the window opens, each recomputation
// of the preview from memory, and the window's whole update after an edit (run it with
// QT_QPA_PLATFORM=offscreen). See bench/README.md.
//
//   bench_whatif [PLAYERS]     default 32766 players; the file is made in a temporary folder
#include "app/frmwhatif.h"
#include "benchutil.h"
#include "common/prompt.h"
#include "common/status.h"
#include "salary/salarycalc.h"
#include "salary/settingsdraft.h"
#include "salary/whatif.h"
#include "store/salaryfile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>

#include <SQLiteCpp/Database.h>

#include <algorithm>
#include <cstdio>

using namespace payvo;
using namespace payvo::bench;

namespace
{

// Answers nothing and says nothing: the benchmark asks no questions.
struct SilentPrompt final : UserPrompt {
    void message(const QString&, Icon) override { }
    bool question(const QString&, Icon) override { return false; }
};

// 32 teams, the free agents and the draft pool, every position; ratings from 30 to 99,
// spread by a fixed hash of the row number.
void makeLeague(const QString& path, int players)
{
    createEmptySalaryFile(path);
    SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE);
    db.exec("WITH RECURSIVE t(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM t WHERE n < 32) "
            "INSERT INTO Teams (TeamID, City, Mascot) SELECT n, 'City ' || n, 'Team' FROM t");
    std::string ratings;
    for (int r = 0; r < 8; ++r)
        ratings += ", 30 + (i * " + std::to_string(2654435761U % (97 + r)) + " + " + std::to_string(r * 131)
            + ") * (i % " + std::to_string(13 + r) + " + 7) % 70";
    db.exec("WITH RECURSIVE p(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM p WHERE i < " + std::to_string(players - 1)
        + ") INSERT INTO Players (PID, TeamID, FirstName, LastName, Years, Position, "
          "Act_SP, Act_AC, Act_AG, Act_ST, Act_HA, Act_EN, Act_IN, Act_DI) "
          "SELECT i % 32000, CASE WHEN i % 40 < 32 THEN 1 + i % 32 WHEN i % 2 = 1 THEN 0 ELSE 99 END, "
          "'First' || i, 'Last' || (i % 97), i % 15, i % 15"
        + ratings + " FROM p");
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int players = argc > 1 ? std::max(1, std::atoi(argv[1])) : 32766;
    constexpr int runs = 21;

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Bench.pyv"));
    const QString ini = dir.filePath(QStringLiteral("Payvo.ini"));
    QFile::copy(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Payvo.ini")), ini);
    makeLeague(file, players);
    SilentPrompt prompt;
    PlainStatus status;
    const SalaryRun stored = recalculateSalaries(file, ini, status, prompt);
    std::printf("League of %d players, %d salaries stored with the default settings (%s); medians of %d runs\n\n",
        players, stored.computed, qPrintable(QApplication::platformName()), runs);

    WhatIfLeague league;
    report("open: read every player once (core)", measure(runs, [&] {
        SalaryFile f(file);
        league = WhatIfLeague::read(f);
    }));

    // The worst case of edits: every weight of every position differs from the file.
    SettingsDraft draft = SettingsDraft::load(ini);
    const SalaryConfig current = SalaryConfig::load(ini);
    int run = 0;
    report("recompute (core): 120 edited weights, settings + preview", measure(runs, [&] {
        ++run;
        for (int p = 0; p < 15; ++p) {
            for (int r = 0; r < 8; ++r)
                draft.setWeightText(p, r, QString::number(100 + run + p * 8 + r));
        }
        const SalaryPreview preview = previewSalaries(league, current, draft.config(ini));
        if (preview.players != players)
            std::printf("unexpected player count %d\n", preview.players);
    }));
    report(
        "recompute (core): the preview alone", measure(runs, [&] { (void)previewSalaries(league, current, current); }));

    frmWhatIf window(prompt, file, ini, [] {});
    if (!window.load())
        return 1;
    window.show();
    QApplication::processEvents();
    auto* grid = window.findChild<QTableWidget*>(QStringLiteral("grdWeights"));
    report("window: one grid edit, preview recomputed and shown", measure(runs, [&] {
        ++run;
        grid->item(run % 15, run % 8)->setText(QString::number(500 + run));
        window.refreshPreview(); // what the pause after the edit ends in
        QApplication::processEvents();
    }));
    return 0;
}
