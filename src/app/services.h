#pragma once

#include "common/settingslocation.h"

#include <QString>

class QWidget;

namespace payvo
{

class UserPrompt;

// The file-open dialog. Filters come as description/pattern pairs joined by "|",
// as in "lge (*.lge)|*.lge".
class FileChooser
{
public:
    virtual ~FileChooser() = default;

    // The chosen file's full path, or an empty text when the user cancelled.
    virtual QString chooseOpenFile(QWidget* parent, const QString& title, const QString& filter) = 0;

    // The file to write (parent, title, filter, suggested name); an empty text when the user
    // cancelled. A chooser that cannot save answers as a cancel.
    virtual QString chooseSaveFile(QWidget*, const QString&, const QString&, const QString&) { return QString(); }

    // A folder to write into (parent, title); an empty text when the user cancelled.
    virtual QString chooseFolder(QWidget*, const QString&) { return QString(); }
};

// What the windows need from outside: the seams the tests replace, the folder of the help
// file (the program's folder in a real run), the settings file and the user guide's folder.
struct AppServices {
    UserPrompt* prompt = nullptr;
    FileChooser* files = nullptr;
    QString appDir;
    SettingsLocation settings; // Payvo.ini and how it was found (locateSettingsFile)
    QString guideDir; // the user guide, shown where no Payvo.chm stands in appDir
};

} // namespace payvo
