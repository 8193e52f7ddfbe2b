// Tools, Salary Settings: each rule of the state (opening, Save, the page and position changes
// with their question) once on SalarySettings; on the dialog only what its widgets add (the
// ways text gets into a box, the tab and position controls, Esc) and their wiring to the state.
#include "app/frmsalarysettings.h"
#include "app/numberbox.h"
#include "salary/iniutils.h"
#include "salary/salarysettings.h"
#include "support/scripted.h"
#include "support/testutil.h"

#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace payvo;
using namespace payvo::test;

namespace
{

const QByteArray kStartFile = "; league policy\n"
                              "[Salary]\nAmount=60000000\nMax=9000000\nMin=300000\n"
                              "[QB]\nAC=900\nAG=250\nSP=250\nST=150\nHA=350\nEN=200\nIN=950\nDI=450\n"
                              "[FB]\nAC=250\nAG=350\nSP=350\nST=700\nHA=500\nEN=350\nIN=250\nDI=250\n"
                              "[WR]\nAC=500\nAG=800\nSP=900\nST=100\nHA=850\nEN=300\nIN=200\nDI=350\n";
const QString kQuestion = QStringLiteral("Do you want to save your changes?");

QString weights(const SalarySettings& s)
{
    QStringList out;
    for (int i = 0; i < SalarySettings::kWeightCount; ++i)
        out << s.weightText(i);
    return out.join(',');
}

void typeAtEnd(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->end(false);
    QTest::keyClicks(box, text);
}

} // namespace

class TestSalarySettings : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_ini;
    std::unique_ptr<ScriptedPrompt> m_prompt;
    std::unique_ptr<frmSalarySettings> m_dialog;

    QString read(const char* section, const char* key) const { return INIUTILS::ReadINI(section, key, m_ini); }
    void dialog()
    {
        m_dialog = std::make_unique<frmSalarySettings>(*m_prompt, m_dir.path());
        m_dialog->show();
    }
    template <typename T = QLineEdit> T* child(const QString& name) const { return m_dialog->findChild<T*>(name); }
    QLineEdit* box(const char* name, int index) const { return child(QStringLiteral("%1_%2").arg(name).arg(index)); }
    bool saveEnabled() const { return child<QPushButton>("cmdOK")->isEnabled(); }
    void showPage(int page) // by clicking the tab, as the user does
    {
        QTabBar* bar = child<QTabWidget>("SSTab1")->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
    }

private Q_SLOTS:
    void init()
    {
        m_ini = m_dir.filePath("Payvo.ini");
        writeFile(m_ini, kStartFile);
        m_prompt = std::make_unique<ScriptedPrompt>();
    }
    void cleanup()
    {
        m_dialog.reset();
        QCOMPARE(m_prompt->pendingAnswers(), 0);
    }

    // Save writes the page shown only: the three cap texts, in their order where they are
    // missing, or the eight weights of the loaded position; each as typed (a weight of 40000,
    // Min above Max).
    void save_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("positionsPage");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("cap page, Max in the file") << QByteArray("[Salary]\nMax=9000000\n") << false
                                                   << QStringList { "[Salary]", "Max=40000", "Amount=10", "Min=50000" };
        QTest::newRow("positions page, new file")
            << QByteArray() << true
            << QStringList { "[QB]", "AC=0", "AG=1", "SP=40000", "ST=3", "HA=4", "EN=5", "IN=6", "DI=7" };
    }
    void save()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, positionsPage);
        QFETCH(QStringList, lines);
        QFile::remove(m_ini);
        if (!file.isNull())
            writeFile(m_ini, file);
        SalarySettings s(*m_prompt, m_ini);
        s.open();
        QCOMPARE(weights(s) + "," + s.capText(0), ",,,,,,,,"); // what the file does not give is empty
        QVERIFY(!s.saveEnabled());
        if (positionsPage)
            s.changePage(SalarySettings::kCapPage); // the page left is the cap page
        for (int i = 0; i < SalarySettings::kWeightCount; ++i)
            s.setWeightText(i, i == 2 ? "40000" : QString::number(i));
        for (const int i : { 0, 1, 2 })
            s.setCapText(i, QStringList { "10", "40000", "50000" }[i]);
        QVERIFY(s.saveEnabled());
        s.Save();
        QVERIFY(!s.saveEnabled());
        QCOMPARE(QString::fromUtf8(readAll(m_ini)).split('\n', Qt::SkipEmptyParts), lines);
        QVERIFY(m_prompt->shown.isEmpty());
    }

    // With edits, a position change asks; Yes saves the weights into the old position (not
    // the cap), No drops them; then the new one is loaded and Save goes there. Picking the
    // loaded position again asks nothing and keeps the edits.
    void positionChange_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes saves into the old position") << true;
        QTest::newRow("No drops the edits") << false;
    }
    void positionChange()
    {
        QFETCH(bool, yes);
        SalarySettings s(*m_prompt, m_ini);
        s.open();
        s.changePage(SalarySettings::kCapPage); // the positions page is shown
        s.setWeightText(2, "333");
        s.setCapText(0, "1");
        m_prompt->answer(yes);
        s.changePosition("WR");
        QCOMPARE(m_prompt->shown.size(), 1);
        QCOMPARE(m_prompt->shown[0].text, kQuestion);
        QCOMPARE(m_prompt->shown[0].icon, UserPrompt::Icon::Question);
        QCOMPARE(s.loadedPosition(), "WR");
        QCOMPARE(weights(s), "500,800,900,100,850,300,200,350");
        QVERIFY(!s.saveEnabled());
        if (yes)
            QCOMPARE(read("QB", "SP") + read("QB", "ST") + read("Salary", "Amount"), "33315060000000");
        else
            QCOMPARE(readAll(m_ini), kStartFile);
        s.setWeightText(0, "1");
        s.Save();
        QCOMPARE(read("WR", "AC") + read("QB", "AC"), "1900");
        s.setWeightText(0, "2");
        s.changePosition("WR");
        QCOMPARE(s.weightText(0), "2");
        QVERIFY(s.saveEnabled());
        QCOMPARE(m_prompt->shown.size(), 1);
    }

    // With edits, a page change asks; Yes writes the page being left only, the other page's
    // edit staying in its box; No writes nothing and leaves Save enabled. A later Save writes
    // the page then shown.
    void pageChange_data()
    {
        QTest::addColumn<bool>("leaveCapPage");
        QTest::addColumn<bool>("yes");
        QTest::newRow("leaving the cap page, Yes") << true << true;
        QTest::newRow("leaving the positions page, Yes") << false << true;
        QTest::newRow("leaving the cap page, No") << true << false;
    }
    void pageChange()
    {
        QFETCH(bool, leaveCapPage);
        QFETCH(bool, yes);
        SalarySettings s(*m_prompt, m_ini);
        s.open();
        if (!leaveCapPage)
            s.changePage(SalarySettings::kCapPage);
        s.setCapText(2, "250000");
        s.setWeightText(3, "175");
        m_prompt->answer(yes);
        s.changePage(leaveCapPage ? SalarySettings::kCapPage : SalarySettings::kPositionsPage);
        QCOMPARE(m_prompt->shown.size(), 1);
        QCOMPARE(s.saveEnabled(), !yes);
        QCOMPARE(read("Salary", "Min"), yes && leaveCapPage ? "250000" : "300000");
        QCOMPARE(read("QB", "ST"), yes && !leaveCapPage ? "175" : "150");
        QCOMPARE(s.capText(2) + s.weightText(3), "250000175");
        s.setCapText(0, "1");
        s.setWeightText(0, "2");
        s.Save();
        QCOMPARE(read("Salary", "Amount") + "," + read("Salary", "Min"),
            leaveCapPage ? (yes ? "60000000,250000" : "60000000,300000") : "1,250000");
        QCOMPARE(read("QB", "AC"), leaveCapPage ? "2" : "900");
    }

    // Text reaches the Max box by keys, by pasting with keys or the context menu, or from an
    // input method; anything but digits is refused with the message, the box left as it was.
    void dialog_input_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("after"); // empty: refused
        const struct {
            const char* name;
            const char* how;
            const char* text;
            const char* after;
        } rows[] = { { "digit by key", "key", "5", "90000005" }, { "letter by key", "key", "a", "" },
            { "backspace", "backspace", "", "90000" }, { "digits pasted by keys", "paste", "34", "900000034" },
            { "letter pasted by keys", "paste", "12a", "" }, { "digits pasted by the menu", "menu", "34", "900000034" },
            { "letter pasted by the menu", "menu", "12a", "" },
            { "digits from an input method", "ime", "12", "900000012" },
            { "letters from an input method", "ime", "1a", "" } };
        for (const auto& row : rows)
            QTest::newRow(row.name) << QString(row.how) << QString(row.text) << QString(row.after);
    }
    void dialog_input()
    {
        QFETCH(QString, how);
        QFETCH(QString, text);
        QFETCH(QString, after);
        dialog();
        QLineEdit* max = box("txtCap", 1);
        typeAtEnd(max, QString());
        QGuiApplication::clipboard()->setText(text);
        if (how == QLatin1String("key")) {
            QTest::keyClicks(max, text);
        } else if (how == QLatin1String("backspace")) {
            QTest::keyClick(max, Qt::Key_Backspace);
            QTest::keyClick(max, Qt::Key_Backspace);
        } else if (how == QLatin1String("paste")) {
            QTest::keyClick(max, Qt::Key_V, Qt::ControlModifier);
        } else if (how == QLatin1String("menu")) {
            std::unique_ptr<QMenu> menu(qobject_cast<NumberBox*>(max)->createCheckedContextMenu());
            for (QAction* a : menu->actions()) {
                if (a->text().contains(QLatin1String("Paste")))
                    a->trigger();
            }
        } else {
            QInputMethodEvent event;
            event.setCommitString(text);
            QCoreApplication::sendEvent(max, &event);
        }
        QCOMPARE(max->text(), after.isEmpty() ? "9000000" : after);
        QCOMPARE(saveEnabled(), !after.isEmpty());
        QCOMPARE(m_prompt->shown.size(), after.isEmpty() ? 1 : 0);
        QVERIFY(m_prompt->shown.isEmpty()
            || (m_prompt->shown[0].text == "You must use numbers!"
                && m_prompt->shown[0].icon == UserPrompt::Icon::Exclamation));
    }

    // A tab click is a page change (here answered Yes); on the positions page Enter saves
    // through the default button, the weights only.
    void dialog_tabClickAndEnter()
    {
        dialog();
        QVERIFY(!saveEnabled());
        typeAtEnd(box("txtCap", 2), "7");
        m_prompt->answer(true);
        showPage(1);
        QCOMPARE(m_prompt->shown.size(), 1);
        QCOMPARE(read("Salary", "Min"), "3000007");
        QVERIFY(!saveEnabled());
        typeAtEnd(box("txtAttribute", 3), "0");
        typeAtEnd(box("txtCap", 0), "0");
        QTest::keyClick(box("txtAttribute", 3), Qt::Key_Return);
        QCOMPARE(read("QB", "ST") + "," + read("Salary", "Amount"), "1500,60000000");
        QVERIFY(!saveEnabled() && m_dialog->isVisible());
    }

    // The position box: a pick from the list or a typed name (any case, spaces around it)
    // with Enter is a position change; unknown text, or leaving the box, puts the loaded
    // position back. Enter neither saves through the default button nor adds an item.
    void dialog_positionBox_data()
    {
        QTest::addColumn<QString>("typed"); // empty: Down picks the next entry of the list
        QTest::addColumn<bool>("edited");
        QTest::addColumn<int>("answer"); // -1: no question expected; -2: the box is left instead of Enter
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("firstWeight");
        QTest::newRow("picked from the list, edits, Yes") << "" << true << 1 << "FB" << 250;
        QTest::newRow("name in other case, edits, No") << "wr" << true << 0 << "WR" << 500;
        QTest::newRow("unknown text is put back") << "zz" << true << -1 << "QB" << 9001;
        QTest::newRow("spaces around a name") << "  wR " << false << -1 << "WR" << 500;
        QTest::newRow("leaving the box puts the loaded one back") << "WR" << false << -2 << "QB" << 900;
    }
    void dialog_positionBox()
    {
        QFETCH(QString, typed);
        QFETCH(bool, edited);
        QFETCH(int, answer);
        QFETCH(QString, shown);
        QFETCH(int, firstWeight);
        dialog();
        showPage(1);
        if (edited)
            typeAtEnd(box("txtAttribute", 0), "1");
        if (answer >= 0)
            m_prompt->answer(answer == 1);
        auto* positions = child<QComboBox>("cboPositions");
        QLineEdit* edit = positions->lineEdit();
        if (typed.isEmpty()) {
            QTest::keyClick(positions, Qt::Key_Down);
        } else {
            edit->setFocus();
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Backspace);
            QTest::keyClicks(edit, typed);
            QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
            if (answer == -2)
                QCoreApplication::sendEvent(edit, &out);
            else
                QTest::keyClick(edit, Qt::Key_Return);
        }
        QCOMPARE(m_prompt->shown.size(), answer >= 0 ? 1 : 0);
        QCOMPARE(positions->currentText(), shown);
        QCOMPARE(positions->count(), 15);
        QCOMPARE(box("txtAttribute", 0)->text(), QString::number(firstWeight));
        QCOMPARE(saveEnabled(), edited && shown == QLatin1String("QB"));
        QCOMPARE(read("QB", "AC"), answer == 1 ? "9001" : "900");
    }

    void dialog_escape_asksNothingWritesNothing_data()
    {
        QTest::addColumn<bool>("inPositionBox");
        QTest::newRow("Esc in a box") << false;
        QTest::newRow("Esc in the position box") << true;
    }
    void dialog_escape_asksNothingWritesNothing()
    {
        QFETCH(bool, inPositionBox);
        dialog();
        showPage(1);
        typeAtEnd(box("txtAttribute", 7), "3");
        QTest::keyClick(
            inPositionBox ? child<QComboBox>("cboPositions")->lineEdit() : box("txtAttribute", 7), Qt::Key_Escape);
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
        QVERIFY(m_prompt->shown.isEmpty());
        QCOMPARE(readAll(m_ini), kStartFile);
    }
};

QTEST_MAIN(TestSalarySettings)
#include "tst_salarysettings.moc"
