#include "app/frmsettings.h"

#include "reports/reportsettings.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace payvo
{

frmSettings::frmSettings(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(QStringLiteral("Settings"));

    frameReports = new QGroupBox(QStringLiteral("Report File Name"), this);
    frameReports->setObjectName(QStringLiteral("frameReports"));
    Label1 = new QLabel(QStringLiteral("Rosters:"), frameReports);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtRosters = new QLineEdit(QLatin1String(kDefaultRosterFile), frameReports);
    txtRosters->setObjectName(QStringLiteral("txtRosters"));
    Label1->setBuddy(txtRosters);
    Label2 = new QLabel(QStringLiteral("Sumary:"), frameReports);
    Label2->setObjectName(QStringLiteral("Label2"));
    txtSumary = new QLineEdit(QLatin1String(kDefaultSummaryFile), frameReports);
    txtSumary->setObjectName(QStringLiteral("txtSumary"));
    Label2->setBuddy(txtSumary);
    const int nameWidth = fontMetrics().horizontalAdvance(QLatin1Char('x')) * 32;
    txtRosters->setMinimumWidth(nameWidth);
    txtSumary->setMinimumWidth(nameWidth);

    auto* names = new QVBoxLayout(frameReports);
    names->addWidget(Label1);
    names->addWidget(txtRosters);
    names->addSpacing(6);
    names->addWidget(Label2);
    names->addWidget(txtSumary);

    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(frameReports, 1);
    layout->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &frmSettings::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    Form_Load();
}

void frmSettings::Form_Load()
{
    txtRosters->setText(rosterReportFile());
    txtSumary->setText(summaryReportFile());
}

void frmSettings::cmdOK_Click()
{
    setRosterReportFile(txtRosters->text());
    setSummaryReportFile(txtSumary->text());
}

} // namespace payvo
