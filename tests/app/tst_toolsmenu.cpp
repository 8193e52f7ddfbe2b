// Tools, HTML Settings and Tools, Salary Settings open their dialogs modally over the main
// window, and what the salary dialog saves leaves the window as it was.
#include "app/frmmain.h"
#include "reports/frmsettings.h"
#include "reports/reportsettings.h"
#include "salary/frmsalarysettings.h"
#include "salary/iniutils.h"
#include "support/scripted.h"
#include "support/testutil.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace payvo;
using payvo::test::ScriptedFileChooser;
using payvo::test::ScriptedPrompt;

class TestToolsMenu : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void salarySettings_modalOverTheWindow_savesWithoutTouchingIt();
    void htmlSettings_modalOverTheWindow();

private:
    // Triggers a menu item and runs inside on the modal dialog it opens, then closes it.
    // Returns the dialog's class name, empty when no modal dialog came up.
    QString runModal(const char* action, const std::function<void(QDialog*)>& inside);

    QTemporaryDir m_dir;
    ScriptedPrompt m_prompt;
    ScriptedFileChooser m_files;
    std::unique_ptr<frmMain> m_window;
};

void TestToolsMenu::init()
{
    payvo::test::clearSettingsStore();
    payvo::test::writeFile(
        m_dir.filePath(QStringLiteral("Payvo.ini")), "[Salary]\nAmount=60000000\nMax=9000000\nMin=300000\n");
    AppServices s;
    s.prompt = &m_prompt;
    s.files = &m_files;
    s.appDir = m_dir.path();
    m_window = std::make_unique<frmMain>(s);
    m_window->show();
}

void TestToolsMenu::cleanup()
{
    m_window.reset();
}

QString TestToolsMenu::runModal(const char* action, const std::function<void(QDialog*)>& inside)
{
    QString seen;
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen = QString::fromLatin1(dialog->metaObject()->className());
        QCOMPARE(dialog->parentWidget(), m_window.get());
        inside(dialog);
        dialog->reject();
    });
    m_window->findChild<QAction*>(QLatin1String(action))->trigger();
    return seen;
}

void TestToolsMenu::salarySettings_modalOverTheWindow_savesWithoutTouchingIt()
{
    auto* cap = m_window->findChild<QLabel*>(QStringLiteral("lblCap"));
    QCOMPARE(cap->text(), QStringLiteral("Salary Cap: $60,000,000"));
    QString shownCap;
    const QString opened = runModal("mnuSalarySettings", [&](QDialog* dialog) {
        auto* amount = dialog->findChild<QLineEdit*>(QStringLiteral("txtCap_0"));
        shownCap = amount->text();
        amount->setFocus();
        amount->end(false);
        QTest::keyClick(amount, '5');
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    });
    QCOMPARE(opened, QStringLiteral("payvo::frmSalarySettings"));
    QCOMPARE(shownCap, QStringLiteral("60000000"));
    QCOMPARE(INIUTILS::ReadINI(
                 QStringLiteral("Salary"), QStringLiteral("Amount"), m_dir.filePath(QStringLiteral("Payvo.ini"))),
        QStringLiteral("600000005"));
    QCOMPARE(cap->text(), QStringLiteral("Salary Cap: $60,000,000"));
    QVERIFY(m_prompt.shown.isEmpty());
}

void TestToolsMenu::htmlSettings_modalOverTheWindow()
{
    const QString opened = runModal("mnuHTMLSettings", [](QDialog* dialog) {
        auto* rosters = dialog->findChild<QLineEdit*>(QStringLiteral("txtRosters"));
        rosters->setText(QStringLiteral("league.htm"));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    });
    QCOMPARE(opened, QStringLiteral("payvo::frmSettings"));
    QCOMPARE(rosterReportFile(), QStringLiteral("league.htm"));
}

QTEST_MAIN(TestToolsMenu)
#include "tst_toolsmenu.moc"
