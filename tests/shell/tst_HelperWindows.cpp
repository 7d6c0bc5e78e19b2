#include "core/AppText.h"
#include "project/SettingsStore.h"
#include "shell/TipList.h"
#include "shell/frmAbout.h"
#include "shell/frmTip.h"
#include "tests/support/ScriptedDialogs.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// Tip of the day and about box, driven as a user would.
class tst_HelperWindows : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void tipWindowRespectsStoredChoice_data();
    void tipWindowRespectsStoredChoice();
    void checkBoxWritesAtOnce();
    void nextTipStaysInTheList();
    void randomIndexCoversEveryTip();
    void aboutBox();
    void sysInfoUnavailable();
};

void tst_HelperWindows::init()
{
    QFile::remove(SettingsStore().fileName());
}

void tst_HelperWindows::tipWindowRespectsStoredChoice_data()
{
    QTest::addColumn<QString>("stored"); // empty: nothing stored
    QTest::addColumn<bool>("shown");
    QTest::newRow("False") << "False" << false;
    QTest::newRow("True") << "True" << true;
    QTest::newRow("nothing stored") << "" << true;
    QTest::newRow("false lower case is not False") << "false" << true;
}

void tst_HelperWindows::tipWindowRespectsStoredChoice()
{
    QFETCH(QString, stored);
    QFETCH(bool, shown);
    SettingsStore store;
    if (!stored.isEmpty())
        store.Write("Options", "Show Tips at Startup", stored);
    frmTip tip(store);
    bool sawWindow = false;
    QTimer::singleShot(0, &tip, [&] {
        sawWindow = tip.isVisible();
        tip.findChild<QPushButton *>("cmdOK")->click();
    });
    tip.run();
    QCOMPARE(sawWindow, shown);
    if (shown) {
        QVERIFY(tip.findChild<QCheckBox *>("chkLoadTipsAtStartup")->isChecked());
        QVERIFY(TipList::builtIn().contains(tip.findChild<QLabel *>("lblTipText")->text()));
    }
    QCoreApplication::processEvents(); // drop the unused timer's window check
}

void tst_HelperWindows::checkBoxWritesAtOnce()
{
    SettingsStore store;
    frmTip tip(store);
    QTimer::singleShot(0, &tip, [&] {
        tip.findChild<QCheckBox *>("chkLoadTipsAtStartup")->click();
        QCOMPARE(SettingsStore().Read("Options", "Show Tips at Startup", ""), QString("False"));
        tip.findChild<QCheckBox *>("chkLoadTipsAtStartup")->click();
        QCOMPARE(SettingsStore().Read("Options", "Show Tips at Startup", ""), QString("True"));
        tip.findChild<QCheckBox *>("chkLoadTipsAtStartup")->click();
        tip.accept();
    });
    tip.run();
    frmTip again(store);
    bool shown = false;
    QTimer::singleShot(0, &again, [&] {
        shown = again.isVisible();
        again.accept();
    });
    again.run();
    QVERIFY(!shown);
}

void tst_HelperWindows::nextTipStaysInTheList()
{
    SettingsStore store;
    frmTip tip(store);
    tip.LoadTips();
    auto *next = tip.findChild<QPushButton *>("cmdNextTip");
    for (int i = 0; i < 200; ++i) {
        next->click();
        QVERIFY(tip.currentTip() >= 1 && tip.currentTip() <= 20);
        QCOMPARE(tip.findChild<QLabel *>("lblTipText")->text(),
                 TipList::builtIn()[tip.currentTip() - 1]);
    }
}

void tst_HelperWindows::randomIndexCoversEveryTip()
{
    QCOMPARE(TipList::builtIn().size(), 20);
    QCOMPARE(TipList::randomIndex(20, 0.0), 1);
    QCOMPARE(TipList::randomIndex(20, 0.049), 1);
    QCOMPARE(TipList::randomIndex(20, 0.05), 2);
    QCOMPARE(TipList::randomIndex(20, 0.9999999), 20);
}

void tst_HelperWindows::aboutBox()
{
    ScriptedDialogs dialogs;
    frmAbout about(dialogs);
    QCOMPARE(about.windowTitle(), QString());
    QCOMPARE(about.findChild<QLabel *>("lblVersion")->text(), QString("Version 3.0.0"));
    QCOMPARE(AppText::VersionLine(2, 0, 15), QString("Version 2.0.15"));
    QCOMPARE(about.findChild<QLabel *>("lblTitle")->text(), AppText::AppTitle);
    const QStringList lines = frmAbout::description().split("\n\r");
    QCOMPARE(lines.size(), 9); // eight lines, each with its break
    QCOMPARE(lines[0], QString("Welcome to Lumora Web Page Generator"));
    QVERIFY(lines[1].endsWith("used from a local hard drive."));
    QCOMPARE(lines[7], QString("NOTE:  File Names containing Spaces or Apostrophes are not "
                               "compatible with Internet Web Pages."));
    QVERIFY(about.findChild<QLineEdit *>("txtWebSite")->text().startsWith("WEB: https://"));
    bool helpAsked = false;
    connect(&about, &frmAbout::helpRequested, [&] { helpAsked = true; });
    about.findChild<QPushButton *>("cmdHelp")->click();
    QVERIFY(helpAsked);
}

void tst_HelperWindows::sysInfoUnavailable()
{
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", "/nonexistent");
    ScriptedDialogs dialogs;
    frmAbout about(dialogs);
    about.findChild<QPushButton *>("cmdSysInfo")->click();
    qputenv("PATH", path);
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.lastText(), QString("System Information Is Unavailable At This Time"));
    QCOMPARE(dialogs.messages[0].buttons, Dialogs::Buttons::Ok);
}

QTEST_MAIN(tst_HelperWindows)
#include "tst_HelperWindows.moc"
