#include "app/frmabout.h"

#include "common/product.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace payvo
{

frmAbout::frmAbout(QWidget* parent, const QString& settingsLine)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + QLatin1String(kAppTitle));

    auto* title = new QLabel(QLatin1String(kAppTitle), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    title->setFont(big);

    auto* version = new QLabel(QStringLiteral("Version %1.%2.%3")
                                   .arg(PAYVO_VERSION_MAJOR)
                                   .arg(PAYVO_VERSION_MINOR)
                                   .arg(PAYVO_VERSION_REVISION),
        this);
    version->setObjectName(QStringLiteral("lblVersion"));

    auto* description = new QLabel(QStringLiteral("Salaries and a salary cap for simulated football leagues.\n"
                                                  "Reads league files in text format 1."),
        this);
    description->setObjectName(QStringLiteral("lblDescription"));

    auto* maker = new QLabel(QStringLiteral("Made by the Payvo team."), this);
    maker->setObjectName(QStringLiteral("lblMaker"));

    auto* link = new QLabel(
        QStringLiteral("<a href=\"%1\">%2</a>").arg(QLatin1String(kMakerUrl), QLatin1String(kMakerHost)), this);
    link->setObjectName(QStringLiteral("lblLink"));
    link->setOpenExternalLinks(true);
    link->setTextInteractionFlags(Qt::TextBrowserInteraction);
    link->setAccessibleName(QStringLiteral("Web site"));

    auto* settings = new QLabel(settingsLine, this);
    settings->setObjectName(QStringLiteral("lblSettings"));
    settings->setWordWrap(true);
    settings->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    settings->setVisible(!settingsLine.isEmpty());

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addSpacing(8);
    layout->addWidget(description);
    layout->addWidget(maker);
    layout->addWidget(link);
    layout->addWidget(settings);
    layout->addSpacing(8);
    layout->addLayout(buttons);
}

} // namespace payvo
