#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace payvo
{

// Tools, HTML Settings: the file names of the two reports. It opens with the stored names
// (the defaults while none is stored). OK stores both names exactly as typed and leaves the
// dialog open; Cancel, Esc and the close box close it without storing anything.
class frmSettings final : public QDialog
{
    Q_OBJECT
public:
    explicit frmSettings(QWidget* parent = nullptr);

private:
    void Form_Load();
    void cmdOK_Click();

    QGroupBox* frameReports = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtRosters = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtSumary = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};

} // namespace payvo
