// The salary settings dialog on its real widgets: controls and layout, the ways text gets into
// a box, and the user's actions reaching the settings file. The state machine itself is
// covered without a window in tst_salarysettings.
#include "salary/frmsalarysettings.h"
#include "salary/iniutils.h"
#include "salary/numberbox.h"
#include "support/scripted.h"
#include "support/testutil.h"

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace payvo;
using payvo::test::readAll;
using payvo::test::ScriptedPrompt;
using payvo::test::writeFile;

namespace {

const QByteArray kStartFile = "[Salary]\nAmount=60000000\nMax=9000000\nMin=300000\n"
                              "[QB]\nAC=900\nAG=250\nSP=250\nST=150\nHA=350\nEN=200\nIN=950\nDI=450\n"
                              "[FB]\nAC=250\nAG=350\nSP=350\nST=700\nHA=500\nEN=350\nIN=250\nDI=250\n"
                              "[WR]\nAC=500\nAG=800\nSP=900\nST=100\nHA=850\nEN=300\nIN=200\nDI=350\n";

const QString kNumbersOnly = QStringLiteral("You must use numbers!");
const QString kQuestion = QStringLiteral("Do you want to save your changes?");

} // namespace

class TestFrmSalarySettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void opening_controlsValuesAndState();
    void layout_twoColumnsOfFourBesideTheirLabels();
    void keyFilter_refusesNonDigits_data();
    void keyFilter_refusesNonDigits();
    void keyFilter_digitsBackspaceAndEditingKeysWork();
    void paste_data();
    void paste();
    void inputMethod_data();
    void inputMethod();
    void drop_onlyDigitsAreAccepted();
    void save_byButtonOrEnter_data();
    void save_byButtonOrEnter();
    void tabChange_yes_writesThePageLeft();
    void positionPick_yes_writesTheOldPosition();
    void typedPosition_data();
    void typedPosition();
    void typedPosition_leavingTheBoxPutsTheLoadedOneBack();
    void closing_asksNothingWritesNothing_data();
    void closing_asksNothingWritesNothing();

private:
    template <typename T = QLineEdit> T* child(const QString& name) const
    {
        T* w = m_dialog->findChild<T*>(name);
        if (!w)
            qWarning("no child %s", qPrintable(name));
        return w;
    }
    QLineEdit* box(const char* name, int index) const { return child(QStringLiteral("%1_%2").arg(name).arg(index)); }
    bool saveEnabled() const { return child<QPushButton>(QStringLiteral("cmdOK"))->isEnabled(); }
    QString read(const char* section, const char* key) const
    {
        return INIUTILS::ReadINI(QLatin1String(section), QLatin1String(key), m_ini);
    }
    QStringList weights() const;
    void showPage(int page);
    static void typeAtEnd(QLineEdit* box, const QString& text);

    QTemporaryDir m_dir;
    QString m_ini;
    std::unique_ptr<ScriptedPrompt> m_prompt;
    std::unique_ptr<frmSalarySettings> m_dialog;
};

void TestFrmSalarySettings::init()
{
    QVERIFY(m_dir.isValid());
    m_ini = m_dir.filePath(QStringLiteral("Payvo.ini"));
    writeFile(m_ini, kStartFile);
    m_prompt = std::make_unique<ScriptedPrompt>();
    m_dialog = std::make_unique<frmSalarySettings>(*m_prompt, m_dir.path());
    m_dialog->show();
}

void TestFrmSalarySettings::cleanup()
{
    m_dialog.reset();
    QCOMPARE(m_prompt->pendingAnswers(), 0);
}

QStringList TestFrmSalarySettings::weights() const
{
    QStringList w;
    for (int i = 0; i < 8; ++i)
        w << box("txtAttribute", i)->text();
    return w;
}

// Switches pages by clicking the tab, as the user does.
void TestFrmSalarySettings::showPage(int page)
{
    QTabBar* bar = child<QTabWidget>(QStringLiteral("SSTab1"))->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
}

void TestFrmSalarySettings::typeAtEnd(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->end(false);
    QTest::keyClicks(box, text);
}

void TestFrmSalarySettings::opening_controlsValuesAndState()
{
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Salary Settings"));
    auto* tabs = child<QTabWidget>(QStringLiteral("SSTab1"));
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Cap Settings"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Positions"));
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(child<QGroupBox>(QStringLiteral("frameCap"))->title(), QStringLiteral("Salary Cap"));
    QCOMPARE(child<QGroupBox>(QStringLiteral("framePositions"))->title(), QStringLiteral("Positions"));
    QCOMPARE(child<QLabel>(QStringLiteral("lblPos"))->text(), QStringLiteral("Pos:"));

    // Loading filled every box, yet nothing was asked and Save is disabled.
    const QStringList capLabels = {"Salary Cap:", "Max:", "Min:"};
    const QStringList caps = {"60000000", "9000000", "300000"};
    for (int i = 0; i < 3; ++i) {
        QVERIFY(tabs->widget(0)->isAncestorOf(box("txtCap", i)));
        QCOMPARE(box("txtCap", i)->text(), caps[i]);
        QCOMPARE(child<QLabel>(QStringLiteral("lblCap_%1").arg(i))->text(), capLabels[i]);
    }
    const QStringList labels = {"AC:", "AG:", "SP:", "ST:", "HA:", "EN:", "IN:", "DI:"};
    for (int i = 0; i < 8; ++i) {
        QVERIFY(tabs->widget(1)->isAncestorOf(box("txtAttribute", i)));
        QCOMPARE(child<QLabel>(QStringLiteral("lblAttribute_%1").arg(i))->text(), labels[i]);
    }
    QCOMPARE(weights(), (QStringList {"900", "250", "250", "150", "350", "200", "950", "450"}));
    QVERIFY(m_prompt->shown.isEmpty());
    QVERIFY(!saveEnabled());

    auto* positions = child<QComboBox>(QStringLiteral("cboPositions"));
    QVERIFY(positions->isEditable());
    QStringList items;
    for (int i = 0; i < positions->count(); ++i)
        items << positions->itemText(i);
    QCOMPARE(items, (QStringList {"QB", "FB", "HB", "TE", "WR", "C", "G", "T", "DE", "DT", "LB", "CB", "S", "K", "P"}));
    QCOMPARE(positions->currentText(), QStringLiteral("QB"));

    auto* save = child<QPushButton>(QStringLiteral("cmdOK"));
    QCOMPARE(save->text(), QStringLiteral("&Save"));
    QVERIFY(save->isDefault());
    QCOMPARE(child<QPushButton>(QStringLiteral("cmdCancel"))->text(), QStringLiteral("&Cancel"));
    QCOMPARE(readAll(m_ini), kStartFile);
}

void TestFrmSalarySettings::layout_twoColumnsOfFourBesideTheirLabels()
{
    showPage(1);
    const auto rect = [this](QWidget* w) { return QRect(w->mapTo(m_dialog.get(), QPoint()), w->size()); };
    for (int i = 0; i < 8; ++i) {
        const QRect label = rect(child<QLabel>(QStringLiteral("lblAttribute_%1").arg(i)));
        const QRect b = rect(box("txtAttribute", i));
        QVERIFY(label.right() < b.left());
        QVERIFY(qAbs(label.center().y() - b.center().y()) <= 2);
        if (i % 4 > 0) { // below the one before it, in the same column
            QVERIFY(b.top() > rect(box("txtAttribute", i - 1)).bottom());
            QCOMPARE(b.left(), rect(box("txtAttribute", i - 1)).left());
        }
        if (i >= 4) { // on the row of its partner, right of it
            QCOMPARE(b.top(), rect(box("txtAttribute", i - 4)).top());
            QVERIFY(label.left() > rect(box("txtAttribute", i - 4)).right());
        }
    }
    QVERIFY(rect(child<QComboBox>(QStringLiteral("cboPositions"))).bottom() < rect(box("txtAttribute", 0)).top());

    const QRect tabs = rect(child<QTabWidget>(QStringLiteral("SSTab1")));
    const QRect save = rect(child<QPushButton>(QStringLiteral("cmdOK")));
    QVERIFY(save.top() > tabs.bottom());
    QVERIFY(save.right() < rect(child<QPushButton>(QStringLiteral("cmdCancel"))).left());

    showPage(0);
    for (int i = 0; i < 3; ++i) {
        const QRect b = rect(box("txtCap", i));
        QVERIFY(rect(child<QLabel>(QStringLiteral("lblCap_%1").arg(i))).right() < b.left());
        if (i > 0)
            QVERIFY(b.top() > rect(box("txtCap", i - 1)).bottom());
    }
    QVERIFY(m_prompt->shown.isEmpty());
}

void TestFrmSalarySettings::keyFilter_refusesNonDigits_data()
{
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<char>("key");
    QTest::newRow("letter in Max") << "txtCap_1" << 'a';
    QTest::newRow("capital letter in Salary Cap") << "txtCap_0" << 'K';
    QTest::newRow("minus in Min") << "txtCap_2" << '-';
    QTest::newRow("space in AC") << "txtAttribute_0" << ' ';
    QTest::newRow("point in SP") << "txtAttribute_2" << '.';
    QTest::newRow("comma in DI") << "txtAttribute_7" << ',';
}

void TestFrmSalarySettings::keyFilter_refusesNonDigits()
{
    QFETCH(QString, boxName);
    QFETCH(char, key);
    if (boxName.startsWith(QLatin1String("txtAttribute")))
        showPage(1);
    QLineEdit* b = child(boxName);
    const QString before = b->text();
    b->setFocus();
    b->end(false);
    QTest::keyClick(b, key);

    QCOMPARE(m_prompt->shown.size(), 1);
    QCOMPARE(m_prompt->shown[0].text, kNumbersOnly);
    QCOMPARE(m_prompt->shown[0].icon, UserPrompt::Icon::Exclamation);
    QVERIFY(!m_prompt->shown[0].isQuestion);
    QCOMPARE(b->text(), before);
    QVERIFY(!saveEnabled());
}

void TestFrmSalarySettings::keyFilter_digitsBackspaceAndEditingKeysWork()
{
    QLineEdit* max = box("txtCap", 1);
    typeAtEnd(max, QStringLiteral("5"));
    QCOMPARE(max->text(), QStringLiteral("90000005"));
    QVERIFY(saveEnabled());
    QTest::keyClick(max, Qt::Key_Backspace);
    QTest::keyClick(max, Qt::Key_Backspace);
    QCOMPARE(max->text(), QStringLiteral("900000"));
    QTest::keyClick(max, Qt::Key_Home);
    QTest::keyClick(max, Qt::Key_Delete);
    QTest::keyClick(max, '1');
    QCOMPARE(max->text(), QStringLiteral("100000"));
    QTest::keyClick(max, Qt::Key_A, Qt::ControlModifier); // select all
    QTest::keyClick(max, '7');
    QCOMPARE(max->text(), QStringLiteral("7"));
    QVERIFY(m_prompt->shown.isEmpty());
}

void TestFrmSalarySettings::paste_data()
{
    QTest::addColumn<QString>("clip");
    QTest::addColumn<bool>("byMenu");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("digits by keys") << "34" << false << true;
    QTest::newRow("letter by keys") << "12a" << false << false;
    QTest::newRow("negative by keys") << "-5" << false << false;
    QTest::newRow("line end by keys") << "12\n" << false << false;
    QTest::newRow("digits by menu") << "34" << true << true;
    QTest::newRow("letter by menu") << "12a" << true << false;
}

void TestFrmSalarySettings::paste()
{
    QFETCH(QString, clip);
    QFETCH(bool, byMenu);
    QFETCH(bool, accepted);
    QLineEdit* max = box("txtCap", 1);
    max->setFocus();
    max->end(false);
    QGuiApplication::clipboard()->setText(clip);
    QCOMPARE(QGuiApplication::clipboard()->text(), clip);

    if (byMenu) {
        std::unique_ptr<QMenu> menu(qobject_cast<NumberBox*>(max)->createCheckedContextMenu());
        QAction* paste = nullptr;
        for (QAction* a : menu->actions()) {
            if (a->text().contains(QLatin1String("Paste")))
                paste = a;
        }
        QVERIFY(paste);
        paste->trigger();
    } else {
        QTest::keyClick(max, Qt::Key_V, Qt::ControlModifier);
    }

    QCOMPARE(max->text(), accepted ? QStringLiteral("9000000") + clip : QStringLiteral("9000000"));
    QCOMPARE(saveEnabled(), accepted);
    QCOMPARE(m_prompt->shown.size(), accepted ? 0 : 1);
    if (!accepted)
        QCOMPARE(m_prompt->shown[0].text, kNumbersOnly);
}

void TestFrmSalarySettings::inputMethod_data()
{
    QTest::addColumn<QString>("commit");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("digits") << "12" << true;
    QTest::newRow("letters") << "ab" << false;
    QTest::newRow("digits and a letter") << "1a" << false;
}

void TestFrmSalarySettings::inputMethod()
{
    QFETCH(QString, commit);
    QFETCH(bool, accepted);
    showPage(1);
    QLineEdit* ac = box("txtAttribute", 0);
    ac->setFocus();
    ac->end(false);
    QInputMethodEvent event;
    event.setCommitString(commit);
    QCoreApplication::sendEvent(ac, &event);

    QCOMPARE(ac->text(), accepted ? QStringLiteral("900") + commit : QStringLiteral("900"));
    QCOMPARE(m_prompt->shown.size(), accepted ? 0 : 1);
    QCOMPARE(saveEnabled(), accepted);
}

void TestFrmSalarySettings::drop_onlyDigitsAreAccepted()
{
    QLineEdit* min = box("txtCap", 2);
    const QPoint at = min->rect().center();
    for (const QString& text : {QStringLiteral("1a"), QStringLiteral("-3"), QStringLiteral("12")}) {
        QMimeData data;
        data.setText(text);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(min, &enter);
        QCOMPARE(enter.isAccepted(), text == QLatin1String("12"));
        if (enter.isAccepted())
            continue;
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(min, &drop);
        QCOMPARE(min->text(), QStringLiteral("300000"));
    }
    QVERIFY(!saveEnabled());
}

void TestFrmSalarySettings::save_byButtonOrEnter_data()
{
    QTest::addColumn<bool>("byEnter");
    QTest::newRow("Save button") << false;
    QTest::newRow("Enter in the box, Save being the default") << true;
}

void TestFrmSalarySettings::save_byButtonOrEnter()
{
    QFETCH(bool, byEnter);
    QLineEdit* max = box("txtCap", 1);
    typeAtEnd(max, QStringLiteral("9"));
    if (byEnter)
        QTest::keyClick(max, Qt::Key_Return);
    else
        QTest::mouseClick(child<QPushButton>(QStringLiteral("cmdOK")), Qt::LeftButton);

    QVERIFY(!saveEnabled());
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(read("Salary", "Amount"), QStringLiteral("60000000"));
    QCOMPARE(read("Salary", "Max"), QStringLiteral("90000009"));
    QCOMPARE(read("Salary", "Min"), QStringLiteral("300000"));
}

void TestFrmSalarySettings::tabChange_yes_writesThePageLeft()
{
    typeAtEnd(box("txtCap", 2), QStringLiteral("7"));
    m_prompt->answer(true);
    showPage(1);
    QCOMPARE(child<QTabWidget>(QStringLiteral("SSTab1"))->currentIndex(), 1);
    QCOMPARE(m_prompt->shown.size(), 1);
    QCOMPARE(m_prompt->shown[0].text, kQuestion);
    QCOMPARE(m_prompt->shown[0].icon, UserPrompt::Icon::Question);
    QCOMPARE(read("Salary", "Min"), QStringLiteral("3000007"));
    QVERIFY(!saveEnabled());

    // On the positions page Save writes the position only.
    typeAtEnd(box("txtAttribute", 3), QStringLiteral("0"));
    QTest::mouseClick(child<QPushButton>(QStringLiteral("cmdOK")), Qt::LeftButton);
    QCOMPARE(read("QB", "ST"), QStringLiteral("1500"));
}

void TestFrmSalarySettings::positionPick_yes_writesTheOldPosition()
{
    showPage(1);
    typeAtEnd(box("txtAttribute", 2), QStringLiteral("1"));
    m_prompt->answer(true);
    auto* positions = child<QComboBox>(QStringLiteral("cboPositions"));
    QTest::keyClick(positions, Qt::Key_Down); // QB -> FB, a pick from the list

    QCOMPARE(m_prompt->shown.size(), 1);
    QCOMPARE(m_prompt->shown[0].text, kQuestion);
    QCOMPARE(read("QB", "SP"), QStringLiteral("2501"));
    QCOMPARE(positions->currentText(), QStringLiteral("FB"));
    QCOMPARE(weights(), (QStringList {"250", "350", "350", "700", "500", "350", "250", "250"}));
    QVERIFY(!saveEnabled());
}

void TestFrmSalarySettings::typedPosition_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("edited");
    QTest::addColumn<int>("answer"); // -1: no question expected
    QTest::addColumn<QString>("shown");
    QTest::newRow("name in lower case, no edits") << "wr" << false << -1 << "WR";
    QTest::newRow("name, edits, Yes") << "Wr" << true << 1 << "WR";
    QTest::newRow("name, edits, No") << "wr" << true << 0 << "WR";
    QTest::newRow("unknown text is put back") << "zz" << true << -1 << "QB";
    QTest::newRow("empty text is put back") << "" << false << -1 << "QB";
    QTest::newRow("loaded position in lower case") << "qb" << true << -1 << "QB";
}

void TestFrmSalarySettings::typedPosition()
{
    QFETCH(QString, typed);
    QFETCH(bool, edited);
    QFETCH(int, answer);
    QFETCH(QString, shown);
    showPage(1);
    if (edited)
        typeAtEnd(box("txtAttribute", 0), QStringLiteral("1"));
    if (answer >= 0)
        m_prompt->answer(answer == 1);

    auto* positions = child<QComboBox>(QStringLiteral("cboPositions"));
    QLineEdit* edit = positions->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, typed);
    QCOMPARE(positions->currentText(), typed);
    QTest::keyClick(edit, Qt::Key_Return);

    // Enter only picks: it neither saves through the default button nor adds an item.
    QCOMPARE(m_prompt->shown.size(), answer >= 0 ? 1 : 0);
    QCOMPARE(positions->currentText(), shown);
    QCOMPARE(positions->count(), 15);
    const bool moved = shown != QLatin1String("QB");
    QCOMPARE(weights()[0], moved ? QStringLiteral("500") : edited ? QStringLiteral("9001") : QStringLiteral("900"));
    QCOMPARE(saveEnabled(), edited && !moved);
    QCOMPARE(read("QB", "AC"), answer == 1 ? QStringLiteral("9001") : QStringLiteral("900"));
}

void TestFrmSalarySettings::typedPosition_leavingTheBoxPutsTheLoadedOneBack()
{
    showPage(1);
    auto* positions = child<QComboBox>(QStringLiteral("cboPositions"));
    QLineEdit* edit = positions->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("WR"));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(edit, &out);

    QCOMPARE(positions->currentText(), QStringLiteral("QB"));
    QCOMPARE(weights()[0], QStringLiteral("900"));
    QVERIFY(m_prompt->shown.isEmpty());
}

void TestFrmSalarySettings::closing_asksNothingWritesNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Esc in a box") << "esc-box";
    QTest::newRow("Esc in the position box") << "esc-positions";
    QTest::newRow("Cancel button") << "cancel";
    QTest::newRow("close box") << "close";
}

void TestFrmSalarySettings::closing_asksNothingWritesNothing()
{
    QFETCH(QString, how);
    showPage(1);
    QLineEdit* di = box("txtAttribute", 7);
    typeAtEnd(di, QStringLiteral("3"));
    QVERIFY(saveEnabled());

    if (how == QLatin1String("esc-box"))
        QTest::keyClick(di, Qt::Key_Escape);
    else if (how == QLatin1String("esc-positions"))
        QTest::keyClick(child<QComboBox>(QStringLiteral("cboPositions"))->lineEdit(), Qt::Key_Escape);
    else if (how == QLatin1String("cancel"))
        QTest::mouseClick(child<QPushButton>(QStringLiteral("cmdCancel")), Qt::LeftButton);
    else
        m_dialog->close();

    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QVERIFY(m_prompt->shown.isEmpty());
    QCOMPARE(readAll(m_ini), kStartFile);
}

QTEST_MAIN(TestFrmSalarySettings)
#include "tst_frmsalarysettings.moc"
