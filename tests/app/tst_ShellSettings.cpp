#include "project/SettingsStore.h"
#include "project/ShellSettings.h"

#include <QFile>
#include <QTest>

// Options and window position between runs: what start-up makes of stored text,
// and what exit writes, in which order.
class tst_ShellSettings : public QObject
{
    Q_OBJECT
private slots:
    void init() { QFile::remove(SettingsStore().fileName()); }
    void freshUser();
    void storedOption_data();
    void storedOption();
    void storedPosition_data();
    void storedPosition();
    void exitOrderAndRoundTrip();
};

void tst_ShellSettings::freshUser()
{
    const ShellSettings s = ShellSettings::read(SettingsStore());
    QVERIFY(s.autoSpace && s.sounds && s.toolTips && s.voicePrompt);
    QVERIFY(ShellSettings::readTipOfDay(SettingsStore()));
    QCOMPARE(s.top, 0);
    QCOMPARE(s.left, 0);
}

void tst_ShellSettings::storedOption_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("checked");
    QTest::newRow("True") << "True" << true;
    QTest::newRow("lower-case false") << "false" << false;
    QTest::newRow("FALSE") << "FALSE" << false;
    QTest::newRow("zero") << "0" << false;
    QTest::newRow("other number") << "-2" << true;
    // Not a boolean: as if nothing were stored.
    QTest::newRow("garbage") << "maybe" << true;
    QTest::newRow("empty") << "" << true;
}

void tst_ShellSettings::storedOption()
{
    QFETCH(QString, stored);
    QFETCH(bool, checked);
    SettingsStore store;
    store.Write("Options", "autospace", stored);
    store.Write("Options", "Show Tips at Startup", stored);
    const ShellSettings s = ShellSettings::read(store);
    QCOMPARE(s.autoSpace, checked);
    QCOMPARE(ShellSettings::readTipOfDay(store), checked);
    QVERIFY(s.sounds && s.toolTips && s.voicePrompt);
}

void tst_ShellSettings::storedPosition_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("twips");
    QTest::newRow("plain") << "1200" << 1200;
    QTest::newRow("negative") << "-300" << 0;
    QTest::newRow("beyond 16 bits is still a position") << "99999" << 99999;
    QTest::newRow("fraction rounds") << "1200.6" << 1201;
    QTest::newRow("blanks") << " 45 " << 45;
    QTest::newRow("garbage") << "left" << 0;
    QTest::newRow("beyond int") << "1e30" << 0;
    QTest::newRow("not finite") << "inf" << 0;
}

void tst_ShellSettings::storedPosition()
{
    QFETCH(QString, stored);
    QFETCH(int, twips);
    SettingsStore store;
    store.Write("form", "top", stored);
    QCOMPARE(ShellSettings::read(store).top, twips);
}

void tst_ShellSettings::exitOrderAndRoundTrip()
{
    ShellSettings s;
    s.autoSpace = false;
    s.voicePrompt = false;
    s.tipOfDay = false;
    s.top = 600;
    s.left = 900;
    const QList<ShellSettings::Entry> expected = {
        {"Options", "autospace", "False"},
        {"Options", "sounds", "True"},
        {"Options", "tooltips", "True"},
        {"form", "top", "600"},
        {"form", "left", "900"},
        {"Options", "Show Tips at Startup", "False"},
        {"Options", "voiceprompt", "False"},
    };
    QCOMPARE(s.exitEntries(), expected);

    SettingsStore store;
    s.write(store);
    const ShellSettings back = ShellSettings::read(store);
    QCOMPARE(back.autoSpace, false);
    QCOMPARE(back.voicePrompt, false);
    QCOMPARE(back.sounds, true);
    QCOMPARE(ShellSettings::readTipOfDay(store), false);
    QCOMPARE(back.top, 600);
    QCOMPARE(back.left, 900);
}

QTEST_GUILESS_MAIN(tst_ShellSettings)
#include "tst_ShellSettings.moc"
