// Tools, Salary Settings: the state without a window (opening, the page and position changes
// with their question, what Save writes where), then the dialog's own work on its real
// widgets (the ways text gets into a box, the typed position) and its wiring to the state.
#include "app/frmsalarysettings.h"
#include "salary/iniutils.h"
#include "app/numberbox.h"
#include "salary/salarysettings.h"
#include "support/scripted.h"
#include "support/testutil.h"

#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace payvo;
using namespace payvo::test;

namespace {

const QByteArray kStartFile = "; league policy\n"
                              "[Salary]\nAmount=60000000\nMax=9000000\nMin=300000\n"
                              "[QB]\nAC=900\nAG=250\nSP=250\nST=150\nHA=350\nEN=200\nIN=950\nDI=450\n"
                              "[FB]\nAC=250\nAG=350\nSP=350\nST=700\nHA=500\nEN=350\nIN=250\nDI=250\n"
                              "[WR]\nAC=500\nAG=800\nSP=900\nST=100\nHA=850\nEN=300\nIN=200\nDI=350\n";
const QString kQuestion = QStringLiteral("Do you want to save your changes?");

QStringList texts(const SalarySettings& s, bool weights)
{
    QStringList out;
    for (int i = 0; i < (weights ? SalarySettings::kWeightCount : SalarySettings::kCapCount); ++i)
        out << (weights ? s.weightText(i) : s.capText(i));
    return out;
}

} // namespace

class TestSalarySettings : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_ini;
    std::unique_ptr<ScriptedPrompt> m_prompt;
    std::unique_ptr<frmSalarySettings> m_dialog;

    QString read(const char* section, const char* key) const { return INIUTILS::ReadINI(section, key, m_ini); }
    // The file's lines that carry something, in order.
    QStringList contentLines() const { return QString::fromUtf8(readAll(m_ini)).split('\n', Qt::SkipEmptyParts); }
    void dialog()
    {
        m_dialog = std::make_unique<frmSalarySettings>(*m_prompt, m_dir.path());
        m_dialog->show();
    }
    template <typename T = QLineEdit> T* child(const QString& name) const { return m_dialog->findChild<T*>(name); }
    QLineEdit* box(const char* name, int index) const { return child(QStringLiteral("%1_%2").arg(name).arg(index)); }
    bool saveEnabled() const { return child<QPushButton>("cmdOK")->isEnabled(); }
    QStringList weights() const
    {
        QStringList w;
        for (int i = 0; i < 8; ++i)
            w << box("txtAttribute", i)->text();
        return w;
    }
    // Switches pages by clicking the tab, as the user does.
    void showPage(int page)
    {
        QTabBar* bar = child<QTabWidget>("SSTab1")->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
    }
    static void typeAtEnd(QLineEdit* box, const QString& text)
    {
        box->setFocus();
        box->end(false);
        QTest::keyClicks(box, text);
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

    void open_data()
    {
        QTest::addColumn<bool>("withFile");
        QTest::newRow("a settings file") << true;
        QTest::newRow("no settings file: empty texts") << false;
    }
    // Opening asks nothing and ends with Save disabled, though loading changed every text.
    void open()
    {
        QFETCH(bool, withFile);
        if (!withFile)
            QFile::remove(m_ini);
        SalarySettings s(*m_prompt, m_ini);
        QSignalSpy enabled(&s, &SalarySettings::saveEnabledChanged);
        s.open();
        QVERIFY(m_prompt->shown.isEmpty());
        QCOMPARE(texts(s, true).join(','), withFile ? "900,250,250,150,350,200,950,450" : ",,,,,,,");
        QCOMPARE(texts(s, false).join(','), withFile ? "60000000,9000000,300000" : ",,");
        QCOMPARE(s.loadedPosition(), "QB");
        QCOMPARE(enabled.isEmpty(), !withFile);
        QVERIFY(!s.saveEnabled());
        QCOMPARE(readAll(m_ini), withFile ? kStartFile : QByteArray());
    }

    // Save on the cap page writes all three, in their order where they are missing; on the
    // positions page the eight weights in theirs. A weight of 40000 and Min above Max are
    // stored as typed.
    void save_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("positionsPage");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("cap page, new file")
            << QByteArray() << false << QStringList{"[Salary]", "Amount=10", "Max=40000", "Min=50000"};
        QTest::newRow("cap page, Max in the file") << QByteArray("[Salary]\nMax=9000000\n") << false
                                                   << QStringList{"[Salary]", "Max=40000", "Amount=10", "Min=50000"};
        QTest::newRow("positions page, new file")
            << QByteArray() << true
            << QStringList{"[QB]", "AC=0", "AG=1", "SP=40000", "ST=3", "HA=4", "EN=5", "IN=6", "DI=7"};
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
        if (positionsPage)
            s.changePage(SalarySettings::kCapPage); // the page left is the cap page
        for (int i = 0; i < SalarySettings::kWeightCount; ++i)
            s.setWeightText(i, i == 2 ? "40000" : QString::number(i));
        for (const int i : {0, 1, 2})
            s.setCapText(i, QStringList{"10", "40000", "50000"}[i]);
        QVERIFY(s.saveEnabled());
        s.Save();
        QVERIFY(!s.saveEnabled());
        QCOMPARE(contentLines(), lines);
        QVERIFY(m_prompt->shown.isEmpty());
    }

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
        s.setCapText(0, "1"); // an edit of the other page is no part of this
        m_prompt->answer(yes);
        s.changePosition("WR");
        QCOMPARE(m_prompt->shown.size(), 1);
        QCOMPARE(m_prompt->shown[0].text, kQuestion);
        QCOMPARE(m_prompt->shown[0].icon, UserPrompt::Icon::Question);
        QCOMPARE(s.loadedPosition(), "WR");
        QCOMPARE(texts(s, true).join(','), "500,800,900,100,850,300,200,350");
        QVERIFY(!s.saveEnabled());
        if (yes)
            QCOMPARE(read("QB", "SP") + read("QB", "ST") + read("Salary", "Amount"), "33315060000000");
        else
            QCOMPARE(readAll(m_ini), kStartFile);
        // Save now goes to the new position.
        s.setWeightText(0, "1");
        s.Save();
        QCOMPARE(read("WR", "AC") + read("QB", "AC"), "1900");
        // The position already loaded asks nothing and keeps the edits.
        s.setWeightText(0, "2");
        s.changePosition("WR");
        QCOMPARE(s.weightText(0), "2");
        QVERIFY(s.saveEnabled());
        QCOMPARE(m_prompt->shown.size(), 1);
    }

    void pageChange_data()
    {
        QTest::addColumn<bool>("leaveCapPage");
        QTest::addColumn<bool>("yes");
        QTest::newRow("leaving the cap page, Yes") << true << true;
        QTest::newRow("leaving the positions page, Yes") << false << true;
        QTest::newRow("leaving the cap page, No") << true << false;
    }
    // Yes writes the page being left only, the edit of the other page staying in its box; No
    // writes nothing and leaves Save enabled. A later Save writes the page then shown.
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
        QCOMPARE(m_prompt->shown[0].text, kQuestion);
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
        QVERIFY(!s.saveEnabled());
    }

    // Text reaches the Max box by keys, by pasting with keys or the context menu, or from an
    // input method; anything but digits is refused with the message and leaves the box as it
    // was.
    void dialog_input_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("after"); // empty: refused
        QTest::newRow("digit by key") << "key" << "5" << "90000005";
        QTest::newRow("letter by key") << "key" << "a" << "";
        QTest::newRow("minus by key") << "key" << "-" << "";
        QTest::newRow("backspace") << "backspace" << "" << "90000";
        QTest::newRow("digits pasted by keys") << "paste" << "34" << "900000034";
        QTest::newRow("letter pasted by keys") << "paste" << "12a" << "";
        QTest::newRow("digits pasted by the menu") << "menu" << "34" << "900000034";
        QTest::newRow("letter pasted by the menu") << "menu" << "12a" << "";
        QTest::newRow("digits from an input method") << "ime" << "12" << "900000012";
        QTest::newRow("letters from an input method") << "ime" << "1a" << "";
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

    // A tab click asks and writes the page left; on the positions page Enter saves through
    // the default button, the weights only.
    void dialog_tabChange_yes_writesThePageLeft()
    {
        dialog();
        QVERIFY(!saveEnabled());
        typeAtEnd(box("txtCap", 2), "7");
        m_prompt->answer(true);
        showPage(1);
        QCOMPARE(m_prompt->shown.size(), 1);
        QCOMPARE(m_prompt->shown[0].text, kQuestion);
        QCOMPARE(read("Salary", "Min"), "3000007");
        QVERIFY(!saveEnabled());
        typeAtEnd(box("txtAttribute", 3), "0");
        typeAtEnd(box("txtCap", 0), "0");
        QTest::keyClick(box("txtAttribute", 3), Qt::Key_Return);
        QCOMPARE(read("QB", "ST") + "," + read("Salary", "Amount"), "1500,60000000");
        QVERIFY(!saveEnabled() && m_dialog->isVisible());
    }

    void dialog_positionPick_yes_writesTheOldPosition()
    {
        dialog();
        showPage(1);
        typeAtEnd(box("txtAttribute", 2), "1");
        m_prompt->answer(true);
        auto* positions = child<QComboBox>("cboPositions");
        QTest::keyClick(positions, Qt::Key_Down); // QB -> FB, a pick from the list
        QCOMPARE(m_prompt->shown.size(), 1);
        QCOMPARE(read("QB", "SP"), "2501");
        QCOMPARE(positions->currentText(), "FB");
        QCOMPARE(weights().join(','), "250,350,350,700,500,350,250,250");
        QVERIFY(!saveEnabled());
    }

    void dialog_typedPosition_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<int>("answer"); // -1: no question expected; -2: the box is left instead of Enter
        QTest::addColumn<QString>("shown");
        QTest::newRow("name, edits, Yes") << "Wr" << true << 1 << "WR";
        QTest::newRow("name, edits, No") << "wr" << true << 0 << "WR";
        QTest::newRow("unknown text is put back") << "zz" << true << -1 << "QB";
        QTest::newRow("spaces around a name") << "  wR " << false << -1 << "WR";
        QTest::newRow("leaving the box puts the loaded one back") << "WR" << false << -2 << "QB";
    }
    // Enter only picks: it neither saves through the default button nor adds an item.
    void dialog_typedPosition()
    {
        QFETCH(QString, typed);
        QFETCH(bool, edited);
        QFETCH(int, answer);
        QFETCH(QString, shown);
        dialog();
        showPage(1);
        if (edited)
            typeAtEnd(box("txtAttribute", 0), "1");
        if (answer >= 0)
            m_prompt->answer(answer == 1);
        auto* positions = child<QComboBox>("cboPositions");
        QLineEdit* edit = positions->lineEdit();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, typed);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        if (answer == -2)
            QCoreApplication::sendEvent(edit, &out);
        else
            QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(m_prompt->shown.size(), answer >= 0 ? 1 : 0);
        QCOMPARE(positions->currentText(), shown);
        QCOMPARE(positions->count(), 15);
        const bool moved = shown != QLatin1String("QB");
        QCOMPARE(weights()[0], moved ? "500" : edited ? "9001" : "900");
        QCOMPARE(saveEnabled(), edited && !moved);
        QCOMPARE(read("QB", "AC"), answer == 1 ? "9001" : "900");
    }

    void dialog_closing_asksNothingWritesNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Esc in a box") << "esc-box";
        QTest::newRow("Esc in the position box") << "esc-positions";
    }
    void dialog_closing_asksNothingWritesNothing()
    {
        QFETCH(QString, how);
        dialog();
        showPage(1);
        typeAtEnd(box("txtAttribute", 7), "3");
        QVERIFY(saveEnabled());
        if (how == QLatin1String("esc-box"))
            QTest::keyClick(box("txtAttribute", 7), Qt::Key_Escape);
        else
            QTest::keyClick(child<QComboBox>("cboPositions")->lineEdit(), Qt::Key_Escape);
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
        QVERIFY(m_prompt->shown.isEmpty());
        QCOMPARE(readAll(m_ini), kStartFile);
    }
};

QTEST_MAIN(TestSalarySettings)
#include "tst_salarysettings.moc"
