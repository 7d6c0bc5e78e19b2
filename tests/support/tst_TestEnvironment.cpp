#include <QStandardPaths>
#include <QTest>

// CTest starts this program with a user's home and XDG folders, as a shell would: the
// program must still see only its own temporary folders.
class tst_TestEnvironment : public QObject
{
    Q_OBJECT
private slots:
    void userFoldersAreReplaced_data();
    void userFoldersAreReplaced();
};

void tst_TestEnvironment::userFoldersAreReplaced_data()
{
    QTest::addColumn<QStandardPaths::StandardLocation>("location");
    QTest::newRow("settings") << QStandardPaths::GenericConfigLocation;
    QTest::newRow("data") << QStandardPaths::GenericDataLocation;
    QTest::newRow("cache") << QStandardPaths::GenericCacheLocation;
}

void tst_TestEnvironment::userFoldersAreReplaced()
{
    QFETCH(QStandardPaths::StandardLocation, location);
    const QString folder = QStandardPaths::writableLocation(location);
    const QString user = qEnvironmentVariable("LUMORA_TEST_USER_HOME");
    QVERIFY(!user.isEmpty());
    QVERIFY2(!folder.startsWith(user), qPrintable(folder));
    QVERIFY2(folder.contains("/lumora-test-"), qPrintable(folder));
}

QTEST_GUILESS_MAIN(tst_TestEnvironment)
#include "tst_TestEnvironment.moc"
