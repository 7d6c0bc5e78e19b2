#include "project/SettingsStore.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>
#include <sys/stat.h>

class tst_SettingsStore : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void readWriteAndDefault();
    void fileIsPrivate();
    void pipeIsRefused();
    void parseBoolean_data();
    void parseBoolean();
};

void tst_SettingsStore::initTestCase()
{
    QFile::remove(SettingsStore().fileName());
}

void tst_SettingsStore::readWriteAndDefault()
{
    SettingsStore store;
    QCOMPARE(store.Read("ftp", "1FtpUrl", "none"), QString("none"));
    store.Write("Options", "Show Tips at Startup", "True");
    store.Write("ftp", "1FtpUrl", "ftp.example.org");
    // A second store sees the value at once: every write reaches the disk.
    SettingsStore other;
    QCOMPARE(other.Read("Options", "Show Tips at Startup", "1"), QString("True"));
    QCOMPARE(other.Read("ftp", "1FtpUrl", ""), QString("ftp.example.org"));
    QVERIFY(store.fileName().endsWith("/Lumora/Lumora.ini"));
    QVERIFY(store.fileName().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
    QCOMPARE(store.fileName(),
             QSettings(QSettings::IniFormat, QSettings::UserScope, "Lumora", "Lumora").fileName());
    QVERIFY(store.refusal().isEmpty());
}

void tst_SettingsStore::fileIsPrivate()
{
    const auto isPrivate = [](const QString &path) {
        const QFileDevice::Permissions rights = QFileInfo(path).permissions();
        return (rights &
                (QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner)) ==
                   (QFileDevice::ReadOwner | QFileDevice::WriteOwner) &&
               (rights & 0x77) == 0; // nothing for group or others
    };
    SettingsStore store;
    QFile::remove(store.fileName());
    store.Write("ftp", "1FtpPassword", "secret");
    QVERIFY(isPrivate(store.fileName()));
    QFile::setPermissions(store.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ReadOther);
    store.Write("ftp", "1FtpPassword", "secret2");
    QVERIFY(isPrivate(store.fileName()));
    QCOMPARE(SettingsStore().Read("ftp", "1FtpPassword", ""), QString("secret2"));
}

void tst_SettingsStore::pipeIsRefused()
{
    const QString name = SettingsStore().fileName();
    QFile::remove(name);
    QCOMPARE(mkfifo(QFile::encodeName(name).constData(), 0600), 0);
    // Reading a pipe with no writer would wait for ever; the store reads the defaults instead.
    SettingsStore store;
    QVERIFY2(store.refusal().contains(name + ": not a regular file"), qPrintable(store.refusal()));
    store.Write("Options", "sounds", "False");
    QCOMPARE(store.Read("Options", "sounds", "1"), QString("1"));
    QVERIFY(QFile::remove(name));
}

void tst_SettingsStore::parseBoolean_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected"); // -1 none, 0 false, 1 true
    QTest::newRow("True") << "True" << 1;
    QTest::newRow("false lower") << "false" << 0;
    QTest::newRow("FALSE") << "FALSE" << 0;
    QTest::newRow("0") << "0" << 0;
    QTest::newRow("1") << "1" << 1;
    QTest::newRow("-1") << "-1" << 1;
    QTest::newRow("garbage") << "maybe" << -1;
    QTest::newRow("empty") << "" << -1;
}

void tst_SettingsStore::parseBoolean()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    const std::optional<bool> b = SettingsStore::ParseBoolean(text);
    QCOMPARE(b ? int(*b) : -1, expected);
}

QTEST_GUILESS_MAIN(tst_SettingsStore)
#include "tst_SettingsStore.moc"
