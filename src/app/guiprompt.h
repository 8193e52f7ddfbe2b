#pragma once

#include "app/services.h"
#include "common/prompt.h"

namespace payvo
{

// Message boxes with the application's title over the active window.
class MessageBoxPrompt final : public UserPrompt
{
public:
    void message(const QString& text, Icon icon) override;
    bool question(const QString& text, Icon icon) override;
};

// Qt's own file dialog, the same on every platform. Like the common dialog it replaces,
// it makes the chosen file's folder the current directory, where reports with a bare
// file name then land.
class QtFileChooser final : public FileChooser
{
public:
    QString chooseOpenFile(QWidget* parent, const QString& title, const QString& filter) override;
    QString chooseSaveFile(
        QWidget* parent, const QString& title, const QString& filter, const QString& suggested) override;
    QString chooseFolder(QWidget* parent, const QString& title) override;
};

// "lge (*.lge)|*.lge" -> "lge (*.lge)"; several pairs are joined with ";;".
QString qtFileFilter(const QString& pairs);

} // namespace payvo
