#pragma once

#include "board/capboard.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QTextStream;

namespace payvo
{

// One line of a board view: its cells as the window and the text output show them, and the
// exact figure behind each cell, by which the window sorts (none for the team's name and
// for an empty cell).
struct BoardRow {
    int team = -1; // index into CapBoard::teams; -1 for a league line
    bool overCap = false;
    QStringList text;
    std::vector<std::optional<double>> figures;
};

// A view of the board: a line per team in board order, then the league lines, which stay
// below the teams however the teams are sorted.
struct BoardTable {
    QStringList header;
    std::vector<BoardRow> rows;
    std::vector<BoardRow> league;
};

// Teams: Team, Players, Payroll, Cap Room, % of Cap, Offense, Defense, Special; the league
// lines are the league's total and the average team.
BoardTable capTable(const CapBoard& board);

// Positions: Team, the fifteen positions in the payroll panel's order (QB HB FB WR TE ...),
// Offense, Defense, Special, Total. In dollars, or each figure as a percentage of the cap.
// A figure's column is kPayrollLines[column - 1].index.
BoardTable matrixTable(const CapBoard& board, bool percent);

// The window's texts: the money format, empty for no sum; a percentage with two decimals
// and "%".
QString moneyText(std::optional<double> amount);
QString percentText(std::optional<double> percent);

// "Salary Cap: $100,000,000", or that there is none.
QString capCaption(const CapBoard& board);
// Who is over the cap and by how much, on one line; empty without a cap.
QString overCapCaption(const CapBoard& board);
// A team's payroll, cap room, % of cap and how far it is over, one figure a line, below its name.
QString teamFigures(const CapBoard& board, const CapTeam& team);
// The players of one cell of the positions view (a position code) with their salaries, one
// a line, the best-paid 40 of them; for a group or the total, the positions that make it up.
QString cellPlayers(const CapTeam& team, int index);

enum class BoardFormat { Text, Csv, Json };

// What `payvo-cli cap` and `payvo-cli matrix` print, and the window exports: an aligned table
// for a person, or CSV (RFC 4180, one header row) or JSON with amounts in whole dollars, an
// empty field (CSV) or null (JSON) for a sum of no salary, percentages rounded to two
// decimals.
void writeCap(const CapBoard& board, BoardFormat format, QTextStream& out);
void writeMatrix(const CapBoard& board, bool percent, BoardFormat format, QTextStream& out);

} // namespace payvo
