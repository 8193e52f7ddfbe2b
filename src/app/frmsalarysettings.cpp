#include "app/frmsalarysettings.h"

#include "app/numberbox.h"
#include "common/positions.h"
#include "salary/iniutils.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace payvo
{

namespace
{

QLabel* makeLabel(QWidget* parent, const QString& objectName, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(objectName);
    return l;
}

// Wide enough for the given number of digits and the frame around them.
int boxWidth(const QWidget* w, int digits)
{
    return w->fontMetrics().horizontalAdvance(QString(digits, QLatin1Char('0'))) + 16;
}

} // namespace

frmSalarySettings::frmSalarySettings(UserPrompt& prompt, const QString& appDir, QWidget* parent)
    : QDialog(parent)
    , m_settings(prompt, iniFilePath(appDir, QStringLiteral("/Payvo.ini")))
{
    setObjectName(QStringLiteral("frmSalarySettings"));
    setWindowTitle(QStringLiteral("Salary Settings"));

    buildTabs();

    cmdOK = new QPushButton(QStringLiteral("&Save"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdOK->setEnabled(false);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The state drives the boxes and the Save button ...
    connect(&m_settings, &SalarySettings::capTextChanged, this, [this](int i, const QString& text) {
        if (txtCap[std::size_t(i)]->text() != text)
            txtCap[std::size_t(i)]->setText(text);
    });
    connect(&m_settings, &SalarySettings::weightTextChanged, this, [this](int i, const QString& text) {
        if (txtAttribute[std::size_t(i)]->text() != text)
            txtAttribute[std::size_t(i)]->setText(text);
    });
    connect(&m_settings, &SalarySettings::saveEnabledChanged, cmdOK, &QPushButton::setEnabled);
    connect(&m_settings, &SalarySettings::positionLoaded, this, &frmSalarySettings::showLoadedPosition);

    // ... and the user's actions go to the state.
    for (int i = 0; i < SalarySettings::kCapCount; ++i) {
        connect(txtCap[std::size_t(i)], &QLineEdit::textChanged, this,
            [this, i](const QString& text) { m_settings.setCapText(i, text); });
    }
    for (int i = 0; i < SalarySettings::kWeightCount; ++i) {
        connect(txtAttribute[std::size_t(i)], &QLineEdit::textChanged, this,
            [this, i](const QString& text) { m_settings.setWeightText(i, text); });
    }
    for (NumberBox* box : findChildren<NumberBox*>())
        connect(box, &NumberBox::refused, &m_settings, &SalarySettings::refuseInput);
    connect(SSTab1, &QTabWidget::currentChanged, this, &frmSalarySettings::SSTab1_Click);
    connect(cboPositions, &QComboBox::activated, this, &frmSalarySettings::cboPositions_Click);
    cboPositions->lineEdit()->installEventFilter(this);
    connect(cmdOK, &QPushButton::clicked, &m_settings, &SalarySettings::Save);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    FillPositions();
    SSTab1->setCurrentIndex(SalarySettings::kCapPage);
    m_shownPage = SalarySettings::kCapPage;
    m_settings.open();
}

void frmSalarySettings::buildTabs()
{
    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->setAccessibleName(QStringLiteral("Salary settings"));
    SSTab1->addTab(buildCapPage(), QStringLiteral("Cap Settings"));
    SSTab1->addTab(buildPositionsPage(), QStringLiteral("Positions"));
}

QWidget* frmSalarySettings::buildCapPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("pageCap"));
    frameCap = new QGroupBox(QStringLiteral("Salary Cap"), page);
    frameCap->setObjectName(QStringLiteral("frameCap"));

    static const char* const captions[SalarySettings::kCapCount] = { "Salary Cap:", "Max:", "Min:" };
    auto* grid = new QGridLayout(frameCap);
    for (int i = 0; i < SalarySettings::kCapCount; ++i) {
        auto* box = new NumberBox(frameCap);
        box->setObjectName(QStringLiteral("txtCap_%1").arg(i));
        box->setFixedWidth(boxWidth(box, 13));
        txtCap[std::size_t(i)] = box;
        QLabel* label = makeLabel(frameCap, QStringLiteral("lblCap_%1").arg(i), QLatin1String(captions[i]));
        label->setBuddy(box);
        grid->addWidget(label, i, 0);
        grid->addWidget(box, i, 1);
    }
    grid->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(frameCap);
    layout->addStretch(1);
    return page;
}

QWidget* frmSalarySettings::buildPositionsPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("pagePositions"));
    framePositions = new QGroupBox(QStringLiteral("Positions"), page);
    framePositions->setObjectName(QStringLiteral("framePositions"));

    auto* grid = new QGridLayout(framePositions);
    QLabel* pos = makeLabel(framePositions, QStringLiteral("lblPos"), QStringLiteral("Pos:"));
    cboPositions = new QComboBox(framePositions);
    cboPositions->setObjectName(QStringLiteral("cboPositions"));
    cboPositions->setEditable(true);
    cboPositions->setInsertPolicy(QComboBox::NoInsert);
    cboPositions->setCompleter(nullptr);
    cboPositions->setFixedWidth(boxWidth(cboPositions, 3) + 24);
    pos->setBuddy(cboPositions);
    cboPositions->lineEdit()->setAccessibleName(QStringLiteral("Pos"));
    grid->addWidget(pos, 0, 0);
    grid->addWidget(cboPositions, 0, 1, 1, 2, Qt::AlignLeft);

    // Two columns of four: indexes 0 to 3 on the left, 4 to 7 on the right.
    static const char* const captions[SalarySettings::kWeightCount]
        = { "AC:", "AG:", "SP:", "ST:", "HA:", "EN:", "IN:", "DI:" };
    for (int i = 0; i < SalarySettings::kWeightCount; ++i) {
        auto* box = new NumberBox(framePositions);
        box->setObjectName(QStringLiteral("txtAttribute_%1").arg(i));
        box->setFixedWidth(boxWidth(box, 7));
        txtAttribute[std::size_t(i)] = box;
        QLabel* label = makeLabel(framePositions, QStringLiteral("lblAttribute_%1").arg(i), QLatin1String(captions[i]));
        label->setBuddy(box);
        lblAttribute[std::size_t(i)] = label;
        const int row = 1 + i % 4;
        const int column = i < 4 ? 0 : 3;
        grid->addWidget(label, row, column);
        grid->addWidget(box, row, column + 1);
    }
    grid->setColumnMinimumWidth(2, 16);
    grid->setColumnStretch(5, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(framePositions);
    layout->addStretch(1);
    return page;
}

void frmSalarySettings::FillPositions()
{
    for (const char* abbr : kPositionAbbr)
        cboPositions->addItem(QLatin1String(abbr));
}

void frmSalarySettings::SSTab1_Click(int index)
{
    const int left = m_shownPage;
    m_shownPage = index;
    m_settings.changePage(left);
}

void frmSalarySettings::cboPositions_Click(int index)
{
    if (index >= 0)
        m_settings.changePosition(cboPositions->itemText(index));
    showLoadedPosition();
}

void frmSalarySettings::cboPositions_Typed()
{
    const QString abbr = SalarySettings::positionForText(cboPositions->currentText());
    if (!abbr.isEmpty())
        m_settings.changePosition(abbr);
    showLoadedPosition();
}

void frmSalarySettings::showLoadedPosition()
{
    const int index
        = cboPositions->findText(m_settings.loadedPosition(), Qt::MatchFixedString | Qt::MatchCaseSensitive);
    const QSignalBlocker quiet(cboPositions);
    cboPositions->setCurrentIndex(index);
    cboPositions->setEditText(m_settings.loadedPosition());
}

bool frmSalarySettings::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cboPositions->lineEdit()) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                cboPositions_Typed();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            // Typed text only; a pick from the list is already on its way to the state.
            if (cboPositions->currentText() != cboPositions->itemText(cboPositions->currentIndex()))
                showLoadedPosition();
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace payvo
