// The report file names dialog: what it shows, what OK and Cancel leave in the settings store.
#include "common/settingsstore.h"
#include "reports/frmsettings.h"
#include "reports/reportsettings.h"
#include "support/testutil.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace payvo;

namespace {

const QString kSection = QStringLiteral("Settings");
const QString kRoster = QStringLiteral("RosterHTM");
const QString kSummary = QStringLiteral("SumaryHTM");

} // namespace

class TestFrmSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void controls_captionsNamesAndPlaces();
    void firstRun_showsDefaults_cancelWritesNoKey();
    void ok_storesAsTypedAndStaysOpen_data();
    void ok_storesAsTypedAndStaysOpen();
    void okThenCancel_keepsTheOkValues();
    void enter_storesThroughTheDefaultButton();
    void editThenCancel_storesNothing_reopenShowsStored_data();
    void editThenCancel_storesNothing_reopenShowsStored();

private:
    frmSettings* open();
    QLineEdit* edit(const char* name) const { return m_dialog->findChild<QLineEdit*>(QLatin1String(name)); }
    QPushButton* button(const char* name) const { return m_dialog->findChild<QPushButton*>(QLatin1String(name)); }
    void retype(const char* name, const QString& text);

    std::unique_ptr<frmSettings> m_dialog;
};

void TestFrmSettings::init()
{
    payvo::test::clearSettingsStore();
}

void TestFrmSettings::cleanup()
{
    m_dialog.reset();
}

frmSettings* TestFrmSettings::open()
{
    m_dialog = std::make_unique<frmSettings>();
    m_dialog->show();
    return m_dialog.get();
}

// Replaces the text of a box by typing, as the user does.
void TestFrmSettings::retype(const char* name, const QString& text)
{
    QLineEdit* e = edit(name);
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, text);
    QCOMPARE(e->text(), text);
}

void TestFrmSettings::controls_captionsNamesAndPlaces()
{
    open();
    QCoreApplication::processEvents();
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Settings"));
    auto* frame = m_dialog->findChild<QGroupBox*>(QStringLiteral("frameReports"));
    QVERIFY(frame);
    QCOMPARE(frame->title(), QStringLiteral("Report File Name"));
    auto* label1 = m_dialog->findChild<QLabel*>(QStringLiteral("Label1"));
    auto* label2 = m_dialog->findChild<QLabel*>(QStringLiteral("Label2"));
    QCOMPARE(label1->text(), QStringLiteral("Rosters:"));
    QCOMPARE(label2->text(), QStringLiteral("Sumary:"));
    QCOMPARE(label1->buddy(), edit("txtRosters"));
    QCOMPARE(label2->buddy(), edit("txtSumary"));
    QCOMPARE(button("cmdOK")->text(), QStringLiteral("&OK"));
    QCOMPARE(button("cmdCancel")->text(), QStringLiteral("&Cancel"));
    QVERIFY(button("cmdOK")->isDefault());

    // Label above its box, rosters above summary, all in the frame on the left; OK above Cancel
    // on the right.
    const auto top = [this](QWidget* w) { return w->mapTo(m_dialog.get(), QPoint()).y(); };
    const auto bottom = [&top](QWidget* w) { return top(w) + w->height(); };
    QVERIFY(frame->isAncestorOf(label1) && frame->isAncestorOf(edit("txtSumary")));
    QVERIFY(bottom(label1) <= top(edit("txtRosters")));
    QVERIFY(bottom(edit("txtRosters")) <= top(label2));
    QVERIFY(bottom(label2) <= top(edit("txtSumary")));
    QVERIFY(frame->geometry().right() < button("cmdOK")->geometry().left());
    QVERIFY(button("cmdOK")->geometry().bottom() < button("cmdCancel")->geometry().top());
}

void TestFrmSettings::firstRun_showsDefaults_cancelWritesNoKey()
{
    open();
    QCOMPARE(edit("txtRosters")->text(), QStringLiteral("roster.htm"));
    QCOMPARE(edit("txtSumary")->text(), QStringLiteral("sumary.htm"));
    QTest::mouseClick(button("cmdCancel"), Qt::LeftButton);
    QVERIFY(!m_dialog->isVisible());
    QVERIFY(!hasSetting(kSection, kRoster));
    QVERIFY(!hasSetting(kSection, kSummary));
}

void TestFrmSettings::ok_storesAsTypedAndStaysOpen_data()
{
    QTest::addColumn<QString>("roster");
    QTest::addColumn<QString>("summary");
    QTest::newRow("plain names") << "teams.html"
                                 << "payroll.html";
    QTest::newRow("spaces kept") << " web/roster 2024.htm "
                                 << "  sum.htm";
    QTest::newRow("empty stays empty") << ""
                                       << "";
    QTest::newRow("no extension added") << "roster"
                                        << "C:\\league\\sum";
}

void TestFrmSettings::ok_storesAsTypedAndStaysOpen()
{
    QFETCH(QString, roster);
    QFETCH(QString, summary);
    open();
    retype("txtRosters", roster);
    retype("txtSumary", summary);
    QTest::mouseClick(button("cmdOK"), Qt::LeftButton);

    QVERIFY(m_dialog->isVisible());
    QVERIFY(hasSetting(kSection, kRoster));
    QVERIFY(hasSetting(kSection, kSummary));
    QCOMPARE(rosterReportFile(), roster);
    QCOMPARE(summaryReportFile(), summary);

    // A new dialog shows what is stored, an empty name included.
    m_dialog.reset();
    open();
    QCOMPARE(edit("txtRosters")->text(), roster);
    QCOMPARE(edit("txtSumary")->text(), summary);
}

void TestFrmSettings::okThenCancel_keepsTheOkValues()
{
    open();
    retype("txtRosters", QStringLiteral("a.htm"));
    retype("txtSumary", QStringLiteral("b.htm"));
    QTest::mouseClick(button("cmdOK"), Qt::LeftButton);
    retype("txtRosters", QStringLiteral("c.htm"));
    QTest::keyClick(edit("txtRosters"), Qt::Key_Escape);

    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QCOMPARE(rosterReportFile(), QStringLiteral("a.htm"));
    QCOMPARE(summaryReportFile(), QStringLiteral("b.htm"));
}

void TestFrmSettings::enter_storesThroughTheDefaultButton()
{
    open();
    retype("txtSumary", QStringLiteral("z.htm"));
    QTest::keyClick(edit("txtSumary"), Qt::Key_Return);
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(summaryReportFile(), QStringLiteral("z.htm"));
    QCOMPARE(rosterReportFile(), QStringLiteral("roster.htm"));
    QVERIFY(hasSetting(kSection, kRoster));
}

void TestFrmSettings::editThenCancel_storesNothing_reopenShowsStored_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel button") << "cancel";
    QTest::newRow("Esc") << "esc";
    QTest::newRow("close box") << "close";
}

void TestFrmSettings::editThenCancel_storesNothing_reopenShowsStored()
{
    QFETCH(QString, how);
    setRosterReportFile(QStringLiteral("stored.htm"));
    open();
    QCOMPARE(edit("txtRosters")->text(), QStringLiteral("stored.htm"));
    QCOMPARE(edit("txtSumary")->text(), QStringLiteral("sumary.htm"));
    retype("txtRosters", QStringLiteral("typed.htm"));
    retype("txtSumary", QStringLiteral("typed2.htm"));
    if (how == QLatin1String("cancel"))
        QTest::mouseClick(button("cmdCancel"), Qt::LeftButton);
    else if (how == QLatin1String("esc"))
        QTest::keyClick(edit("txtSumary"), Qt::Key_Escape);
    else
        m_dialog->close();
    QVERIFY(!m_dialog->isVisible());

    QCOMPARE(rosterReportFile(), QStringLiteral("stored.htm"));
    QVERIFY(!hasSetting(kSection, kSummary));
    m_dialog.reset();
    open();
    QCOMPARE(edit("txtRosters")->text(), QStringLiteral("stored.htm"));
    QCOMPARE(edit("txtSumary")->text(), QStringLiteral("sumary.htm"));
}

QTEST_MAIN(TestFrmSettings)
#include "tst_frmsettings.moc"
