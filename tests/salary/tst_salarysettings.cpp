// Tools, Salary Settings: the state without a window (opening, the page and position changes
// with their question, what Save writes where), then the dialog's own work on its real
// widgets (the ways text gets into a box, the typed position) and its wiring to the state.
#include "salary/frmsalarysettings.h"
#include "salary/iniutils.h"
#include "salary/numberbox.h"
#include "salary/salarysettings.h"
#include "support/scripted.h"
#include "support/testutil.h"

#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
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
const QStringList kQbWeights = {"900", "250", "250", "150", "350", "200", "950", "450"};
const QString kQuestion = QStringLiteral("Do you want to save your changes?");
const QString kNumbersOnly = QStringLiteral("You must use numbers!");

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

    QString read(const char* section, const char* key) const
    {
        return INIUTILS::ReadINI(QLatin1String(section), QLatin1String(key), m_ini);
    }
    // The file's lines that carry something, in order.
    QStringList contentLines() const
    {
        QStringList lines;
        for (const QString& l : QString::fromUtf8(readAll(m_ini)).split(QLatin1Char('\n'))) {
            if (!l.trimmed().isEmpty())
                lines << l.trimmed();
        }
        return lines;
    }
    frmSalarySettings* dialog()
    {
        m_dialog = std::make_unique<frmSalarySettings>(*m_prompt, m_dir.path());
        m_dialog->show();
        return m_dialog.get();
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
    void open()
    {
        QFETCH(bool, withFile);
        if (!withFile)
            QFile::remove(m_ini);
        SalarySettings s(*m_prompt, m_ini);
        QSignalSpy enabled(&s, &SalarySettings::saveEnabledChanged);
        s.open();
        QVERIFY(m_prompt->shown.isEmpty());
        QCOMPARE(texts(s, true), withFile ? kQbWeights : QStringList(8, QString()));
        QCOMPARE(texts(s, false), withFile ? QStringList({"60000000", "9000000", "300000"}) : QStringList(3, QString()));
        QCOMPARE(s.loadedPosition(), QStringLiteral("QB"));
        // Loading changed every text, which counts as a change until opening ends.
        QCOMPARE(enabled.isEmpty(), !withFile);
        QVERIFY(!s.saveEnabled());
        QCOMPARE(readAll(m_ini), withFile ? kStartFile : QByteArray());
    }

    void save_capPage_writesAllThreeAndEndsClean()
    {
        // Amount and Min are missing from the file: Save writes them all the same.
        writeFile(m_ini, "[Salary]\nMax=9000000\n");
        SalarySettings s(*m_prompt, m_ini);
        s.open();
        s.setCapText(0, "70000000");
        s.setCapText(1, "90000001");
        QVERIFY(s.saveEnabled());
        s.Save();
        QVERIFY(!s.saveEnabled());
        QCOMPARE(contentLines(), (QStringList{"[Salary]", "Max=90000001", "Amount=70000000", "Min="}));
    }

    void save_newFile_keyOrder_data()
    {
        QTest::addColumn<int>("shownPage");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("cap page") << int(SalarySettings::kCapPage) << QStringList{"[Salary]", "Amount=10", "Max=11", "Min=12"};
        QTest::newRow("positions page")
            << int(SalarySettings::kPositionsPage)
            << QStringList{"[QB]", "AC=0", "AG=1", "SP=2", "ST=3", "HA=4", "EN=5", "IN=6", "DI=7"};
    }
    void save_newFile_keyOrder()
    {
        QFETCH(int, shownPage);
        QFETCH(QStringList, lines);
        QFile::remove(m_ini);
        SalarySettings s(*m_prompt, m_ini);
        s.open();
        if (shownPage == SalarySettings::kPositionsPage)
            s.changePage(SalarySettings::kCapPage);
        for (int i = 0; i < SalarySettings::kCapCount; ++i)
            s.setCapText(i, QString::number(10 + i));
        for (int i = 0; i < SalarySettings::kWeightCount; ++i)
            s.setWeightText(i, QString::number(i));
        s.Save();
        QCOMPARE(contentLines(), lines);
    }

    // A weight of 40000 and Min above Max are stored as typed.
    void save_storesWhatWasTypedUnchecked()
    {
        SalarySettings s(*m_prompt, m_ini);
        s.open();
        s.setCapText(1, "100");
        s.setCapText(2, "5000");
        s.Save();
        s.changePage(SalarySettings::kCapPage);
        s.setWeightText(2, "40000");
        s.Save();
        QCOMPARE(read("Salary", "Max") + read("Salary", "Min") + read("QB", "SP"), QStringLiteral("100500040000"));
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
        QCOMPARE(s.loadedPosition(), QStringLiteral("WR"));
        QCOMPARE(texts(s, true), (QStringList{"500", "800", "900", "100", "850", "300", "200", "350"}));
        QVERIFY(!s.saveEnabled());
        if (yes)
            QCOMPARE(read("QB", "SP") + read("QB", "ST") + read("Salary", "Amount"), QStringLiteral("33315060000000"));
        else
            QCOMPARE(readAll(m_ini), kStartFile);
        // Save now goes to the new position.
        s.setWeightText(0, "1");
        s.Save();
        QCOMPARE(read("WR", "AC") + read("QB", "AC"), QStringLiteral("1900"));
        // The position already loaded asks nothing and keeps the edits.
        s.setWeightText(0, "2");
        s.changePosition("WR");
        QCOMPARE(s.weightText(0), QStringLiteral("2"));
        QVERIFY(s.saveEnabled());
        QCOMPARE(m_prompt->shown.size(), 1);
    }

    void pageChange_yes_writesPageBeingLeft_data()
    {
        QTest::addColumn<bool>("leaveCapPage");
        QTest::newRow("leaving the cap page") << true;
        QTest::newRow("leaving the positions page") << false;
    }
    void pageChange_yes_writesPageBeingLeft()
    {
        QFETCH(bool, leaveCapPage);
        SalarySettings s(*m_prompt, m_ini);
        s.open();
        if (!leaveCapPage)
            s.changePage(SalarySettings::kCapPage);
        s.setCapText(2, "250000");
        s.setWeightText(3, "175");
        m_prompt->answer(true);
        s.changePage(leaveCapPage ? SalarySettings::kCapPage : SalarySettings::kPositionsPage);

        QCOMPARE(m_prompt->shown.size(), 1);
        QCOMPARE(m_prompt->shown[0].text, kQuestion);
        QVERIFY(!s.saveEnabled());
        // Only the page being left is written; the edit of the other page stays in its box.
        QCOMPARE(read("Salary", "Min"), leaveCapPage ? QStringLiteral("250000") : QStringLiteral("300000"));
        QCOMPARE(read("QB", "ST"), leaveCapPage ? QStringLiteral("150") : QStringLiteral("175"));
        QCOMPARE(s.capText(2) + s.weightText(3), QStringLiteral("250000175"));
        // A later Save writes the page now shown.
        s.setCapText(0, "1");
        s.setWeightText(0, "2");
        s.Save();
        QCOMPARE(read("Salary", "Amount"), leaveCapPage ? QStringLiteral("60000000") : QStringLiteral("1"));
        QCOMPARE(read("QB", "AC"), leaveCapPage ? QStringLiteral("2") : QStringLiteral("900"));
    }

    void pageChange_no_keepsEditsAndLaterSaveWritesOnlyNewPage()
    {
        SalarySettings s(*m_prompt, m_ini);
        s.open();
        s.setCapText(2, "250000");
        m_prompt->answer(false);
        s.changePage(SalarySettings::kCapPage);
        QCOMPARE(m_prompt->shown.size(), 1);
        QVERIFY(s.saveEnabled());
        QCOMPARE(readAll(m_ini), kStartFile);
        QCOMPARE(s.capText(2), QStringLiteral("250000"));
        s.setWeightText(7, "451");
        s.Save();
        QCOMPARE(read("QB", "DI") + read("Salary", "Min"), QStringLiteral("451300000"));
        QVERIFY(!s.saveEnabled());
        QCOMPARE(m_prompt->shown.size(), 1);
    }

    void isNumberText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("number");
        QTest::newRow("digits") << "0123456789" << true;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("letter") << "12a" << false;
        for (const char* s : {"-5", "1.5", "1 5", "1,500", "15\n", "+1"})
            QTest::addRow("'%s'", s) << s << false;
        QTest::newRow("other script's digits") << QStringLiteral("\u0661\u0662") << false;
        QTest::newRow("full-width digit") << QStringLiteral("\uFF11") << false;
    }
    void isNumberText()
    {
        QFETCH(QString, text);
        QFETCH(bool, number);
        QCOMPARE(SalarySettings::isNumberText(text), number);
    }

    void positionForText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("position");
        QTest::newRow("lower case") << "wr" << "WR";
        QTest::newRow("mixed case") << "cB" << "CB";
        QTest::newRow("one letter") << "c" << "C";
        QTest::newRow("spaces around") << "  te " << "TE";
        QTest::newRow("last one") << "p" << "P";
        QTest::newRow("prefix only") << "Q" << "";
        QTest::newRow("longer") << "QBS" << "";
        QTest::newRow("filter value of the main window") << "All" << "";
    }
    void positionForText()
    {
        QFETCH(QString, typed);
        QFETCH(QString, position);
        QCOMPARE(SalarySettings::positionForText(typed), position);
    }

    // Text reaches the Max box by keys, by pasting with keys or the context menu, from an
    // input method or by dragging; anything but digits is refused with the message and
    // leaves the box as it was.
    void dialog_input_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("after"); // empty: refused
        QTest::newRow("digit by key") << "key" << "5" << "90000005";
        QTest::newRow("letter by key") << "key" << "a" << "";
        QTest::newRow("minus by key") << "key" << "-" << "";
        QTest::newRow("point by key") << "key" << "." << "";
        QTest::newRow("backspace") << "backspace" << "" << "90000";
        QTest::newRow("digits pasted by keys") << "paste" << "34" << "900000034";
        QTest::newRow("letter pasted by keys") << "paste" << "12a" << "";
        QTest::newRow("line end pasted by keys") << "paste" << "12\n" << "";
        QTest::newRow("digits pasted by the menu") << "menu" << "34" << "900000034";
        QTest::newRow("letter pasted by the menu") << "menu" << "12a" << "";
        QTest::newRow("digits from an input method") << "ime" << "12" << "900000012";
        QTest::newRow("letters from an input method") << "ime" << "1a" << "";
        QTest::newRow("digits dropped") << "drop" << "12" << "accepted";
        QTest::newRow("a sign dropped") << "drop" << "-3" << "";
    }
    void dialog_input()
    {
        QFETCH(QString, how);
        QFETCH(QString, text);
        QFETCH(QString, after);
        dialog();
        QLineEdit* max = box("txtCap", 1);
        max->setFocus();
        max->end(false);
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
        } else if (how == QLatin1String("ime")) {
            QInputMethodEvent event;
            event.setCommitString(text);
            QCoreApplication::sendEvent(max, &event);
        } else {
            QMimeData data;
            data.setText(text);
            QDragEnterEvent enter(max->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(max, &enter);
            QCOMPARE(enter.isAccepted(), !after.isEmpty());
            if (enter.isAccepted()) {
                QDragLeaveEvent leave;
                QCoreApplication::sendEvent(max, &leave);
                return;
            }
            QDropEvent drop(max->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(max, &drop);
        }
        QCOMPARE(max->text(), after.isEmpty() ? QStringLiteral("9000000") : after);
        QCOMPARE(saveEnabled(), !after.isEmpty());
        QCOMPARE(m_prompt->shown.size(), after.isEmpty() && how != QLatin1String("drop") ? 1 : 0);
        if (!m_prompt->shown.isEmpty()) {
            QCOMPARE(m_prompt->shown[0].text, kNumbersOnly);
            QCOMPARE(m_prompt->shown[0].icon, UserPrompt::Icon::Exclamation);
        }
    }

    void dialog_save_byButtonOrEnter_data()
    {
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("Save button") << false;
        QTest::newRow("Enter in the box, Save being the default") << true;
    }
    void dialog_save_byButtonOrEnter()
    {
        QFETCH(bool, byEnter);
        dialog();
        QVERIFY(!saveEnabled());
        QLineEdit* max = box("txtCap", 1);
        typeAtEnd(max, "9");
        if (byEnter)
            QTest::keyClick(max, Qt::Key_Return);
        else
            QTest::mouseClick(child<QPushButton>("cmdOK"), Qt::LeftButton);
        QVERIFY(!saveEnabled());
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(QStringList({read("Salary", "Amount"), read("Salary", "Max"), read("Salary", "Min")}),
                 (QStringList{"60000000", "90000009", "300000"}));
    }

    void dialog_tabChange_yes_writesThePageLeft()
    {
        dialog();
        typeAtEnd(box("txtCap", 2), "7");
        m_prompt->answer(true);
        showPage(1);
        QCOMPARE(m_prompt->shown.size(), 1);
        QCOMPARE(m_prompt->shown[0].text, kQuestion);
        QCOMPARE(read("Salary", "Min"), QStringLiteral("3000007"));
        QVERIFY(!saveEnabled());
        // On the positions page Save writes the position only.
        typeAtEnd(box("txtAttribute", 3), "0");
        QTest::mouseClick(child<QPushButton>("cmdOK"), Qt::LeftButton);
        QCOMPARE(read("QB", "ST"), QStringLiteral("1500"));
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
        QCOMPARE(read("QB", "SP"), QStringLiteral("2501"));
        QCOMPARE(positions->currentText(), QStringLiteral("FB"));
        QCOMPARE(weights(), (QStringList{"250", "350", "350", "700", "500", "350", "250", "250"}));
        QVERIFY(!saveEnabled());
    }

    void dialog_typedPosition_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<int>("answer"); // -1: no question expected
        QTest::addColumn<QString>("shown");
        QTest::newRow("name in lower case, no edits") << "wr" << false << -1 << "WR";
        QTest::newRow("name, edits, Yes") << "Wr" << true << 1 << "WR";
        QTest::newRow("name, edits, No") << "wr" << true << 0 << "WR";
        QTest::newRow("unknown text is put back") << "zz" << true << -1 << "QB";
        QTest::newRow("loaded position in lower case") << "qb" << true << -1 << "QB";
        QTest::newRow("leaving the box puts the loaded one back") << "WR" << false << -2 << "QB";
    }
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
        if (answer == -2) {
            QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
            QCoreApplication::sendEvent(edit, &out);
        } else {
            QTest::keyClick(edit, Qt::Key_Return);
        }
        // Enter only picks: it neither saves through the default button nor adds an item.
        QCOMPARE(m_prompt->shown.size(), answer >= 0 ? 1 : 0);
        QCOMPARE(positions->currentText(), shown);
        QCOMPARE(positions->count(), 15);
        const bool moved = shown != QLatin1String("QB");
        QCOMPARE(weights()[0], moved ? QStringLiteral("500") : edited ? QStringLiteral("9001") : QStringLiteral("900"));
        QCOMPARE(saveEnabled(), edited && !moved);
        QCOMPARE(read("QB", "AC"), answer == 1 ? QStringLiteral("9001") : QStringLiteral("900"));
    }

    void dialog_closing_asksNothingWritesNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Esc in a box") << "esc-box";
        QTest::newRow("Esc in the position box") << "esc-positions";
        QTest::newRow("Cancel button") << "cancel";
        QTest::newRow("close box") << "close";
    }
    void dialog_closing_asksNothingWritesNothing()
    {
        QFETCH(QString, how);
        dialog();
        showPage(1);
        QLineEdit* di = box("txtAttribute", 7);
        typeAtEnd(di, "3");
        QVERIFY(saveEnabled());
        if (how == QLatin1String("esc-box"))
            QTest::keyClick(di, Qt::Key_Escape);
        else if (how == QLatin1String("esc-positions"))
            QTest::keyClick(child<QComboBox>("cboPositions")->lineEdit(), Qt::Key_Escape);
        else if (how == QLatin1String("cancel"))
            QTest::mouseClick(child<QPushButton>("cmdCancel"), Qt::LeftButton);
        else
            m_dialog->close();
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
        QVERIFY(m_prompt->shown.isEmpty());
        QCOMPARE(readAll(m_ini), kStartFile);
    }
};

QTEST_MAIN(TestSalarySettings)
#include "tst_salarysettings.moc"
