#pragma once

#include <QString>

#include <vector>

namespace payvo {

// One entry of the team selector: its text and its team filter value.
struct TeamEntry {
    QString text;
    int value = 0;
};

// The team selector of a salary file: one entry per row of Teams in table order
// ("City Mascot" as stored, a missing part as empty text, the row's TeamID), then
// "Free Agents" (0), "Draft Pool" (99) and "All Teams" (98).
// Throws SQLite::Exception when the file or its Teams table cannot be read.
std::vector<TeamEntry> teamSelectorEntries(const QString& salaryFile);

} // namespace payvo
