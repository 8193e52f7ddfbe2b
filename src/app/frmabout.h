#pragma once

#include <QDialog>

namespace payvo
{

// The about box: title, version, what the program is for, the maker and his web site, and
// the settings file in use (settingsLine, "Settings file: ..."; no line when empty).
class frmAbout final : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr, const QString& settingsLine = QString());
};

} // namespace payvo
