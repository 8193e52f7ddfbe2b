#pragma once

#include <QString>

namespace payvo
{

// Where the salary settings file (Payvo.ini) of a run lives.
//
// - Portable: a Payvo.ini standing in the program's folder is used when that folder is
//   writable (a build tree, a folder the user unpacked).
// - Installed: otherwise the per-user file (~/.config/Payvo/Payvo.ini, following
//   XDG_CONFIG_HOME). When it does not exist yet it is made as a copy of the default that
//   ships with the program (<data folder>/Payvo.ini); once it exists it is never replaced.
//   When the default cannot be read nothing is made, the per-user path is used all the same
//   (every reader then sees a missing file) and problem says why.
struct SettingsLocation {
    QString file; // the settings file to read and write
    bool portable = false;
    bool created = false; // the per-user file was made from the default in this call
    QString problem; // why the per-user file could not be made; empty when all is well
};

// The rule itself, with every folder given.
SettingsLocation locateSettingsFile(const QString& programDir, const QString& userDir, const QString& defaultFile);

// The rule for this installation: the program's folder, the per-user folder of the
// platform and the default of sharedDataDir(programDir).
SettingsLocation locateSettingsFile(const QString& programDir);

// The per-user settings file: $XDG_CONFIG_HOME/Payvo/Payvo.ini (~/.config/Payvo/Payvo.ini).
QString userSettingsFile();

// The default settings file that ships with the programs: <sharedDataDir>/Payvo.ini.
QString defaultSettingsFile(const QString& programDir);

// The folder of the files that ship with the programs (the default settings file, the demo
// league, the user guide), found from the program's folder: /usr/share/payvo for
// /usr/bin, <build>/share/payvo for <build>/bin.
QString sharedDataDir(const QString& programDir);

// The line "Settings file: <path>" that --version and the about box show, with the problem
// behind it when there is one.
QString settingsFileLine(const SettingsLocation& location);

} // namespace payvo
