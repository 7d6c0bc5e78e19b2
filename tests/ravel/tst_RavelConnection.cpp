#include "tests/ravel/RavelTestHost.h"
#include "tests/support/FtpTestServer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The component's hold on its link: the data connection mode it asks for, and a control
// connection that the server closes.
class tst_RavelConnection : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void dataConnectionMode_data();
    void dataConnectionMode();
    void lostWhileIdle_data();
    void lostWhileIdle();
    void lostDuringTransfer_data();
    void lostDuringTransfer();

private:
    QString writeFile(const QString &name, qint64 size);
    QTemporaryDir m_dir;
};

namespace {
const QString NoReply = QStringLiteral("OnFTPError %1").arg(qint32(0x800A0000u + 5002u));
const QString NotConnected = QStringLiteral("OnFTPError %1").arg(qint32(0x800A0000u + 4003u));
} // namespace

void tst_RavelConnection::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

QString tst_RavelConnection::writeFile(const QString &name, qint64 size)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(size))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void tst_RavelConnection::dataConnectionMode_data()
{
    QTest::addColumn<bool>("passive");
    QTest::addColumn<bool>("beforeConnect");
    QTest::addColumn<bool>("async");
    for (const bool passive : {true, false})
        for (const bool before : {true, false})
            for (const bool async : {false, true})
                QTest::addRow("%s, set %s, %s", passive ? "passive" : "active",
                              before ? "before connect" : "when connected",
                              async ? "async" : "sync")
                    << passive << before << async;
}

// What the server sees is what counts: EPSV for passive, PORT for active, on every transfer.
void tst_RavelConnection::dataConnectionMode()
{
    QFETCH(bool, passive);
    QFETCH(bool, beforeConnect);
    QFETCH(bool, async);
    FtpTestServer server(FtpTestServer::Kind::Fake);
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    RavelTestHost host;
    // The opposite first, so a value that never reaches the library shows.
    host.put("Passive", !passive);
    if (beforeConnect)
        host.put("Passive", passive);
    QVERIFY(host.login(server, async));
    if (!beforeConnect)
        host.put("Passive", passive);

    const QString local = writeFile(QStringLiteral("up.bin"), 300 * 1024);
    QVERIFY(!host.call("STOR", {local, "up.bin"}).error);
    QVERIFY(host.waitUntilIdle());
    QVERIFY(!host.call("RETR", {"down.bin", m_dir.filePath(QStringLiteral("down.bin"))}).error);
    QVERIFY(host.waitUntilIdle());
    QVERIFY(host.eventsNamed("OnFTPError").isEmpty());

    QStringList modes;
    for (const QString &command : server.commands())
        if (command == QLatin1String("EPSV") || command == QLatin1String("PASV") ||
            command.startsWith(QLatin1String("PORT ")))
            modes << command.left(4);
    const QString expected = passive ? QStringLiteral("EPSV") : QStringLiteral("PORT");
    QCOMPARE(modes, QStringList({expected, expected}));
}

void tst_RavelConnection::lostWhileIdle_data()
{
    QTest::addColumn<bool>("async");
    QTest::newRow("sync") << false;
    QTest::newRow("async") << true;
}

// A server's idle time-out closes the session; the host hears of it without calling anything.
void tst_RavelConnection::lostWhileIdle()
{
    QFETCH(bool, async);
    FtpTestServer server(FtpTestServer::Kind::Fake, QStringLiteral("idle-timeout"));
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    RavelTestHost host;
    host.put("TimeOut", 60);
    QVERIFY(host.login(server, async));
    QVERIFY(host.waitForEvent("OnFTPError", 1, 20));
    QVERIFY(host.eventsNamed("OnFTPError").first().startsWith(NotConnected));
    QVERIFY(!host.get("Connected").value.toBool());
    QVERIFY(!host.get("StillExecuting").value.toBool());
    QCOMPARE(host.countEvents("OnFTPError"), 1);
    // The way back needs no LocalClose.
    QVERIFY(host.login(server, async));
    QVERIFY(host.get("Connected").value.toBool());
}

void tst_RavelConnection::lostDuringTransfer_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("async");
    QTest::addColumn<qint64>("size");
    QTest::newRow("closed at STOR, sync") << "fault:drop:1" << false << qint64(1 << 20);
    QTest::newRow("closed at STOR, async") << "fault:drop:1" << true << qint64(1 << 20);
    QTest::newRow("closed while data flows, sync") << "fault:hangup:1" << false << qint64(64 << 20);
    QTest::newRow("closed while data flows, async") << "fault:hangup:1" << true << qint64(64 << 20);
}

// The transfer ends with the error event, Connected False and StillExecuting False together,
// long before the rest of the file would have gone out.
void tst_RavelConnection::lostDuringTransfer()
{
    QFETCH(QString, fault);
    QFETCH(bool, async);
    QFETCH(qint64, size);
    FtpTestServer server(FtpTestServer::Kind::Fake, fault);
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    RavelTestHost host;
    host.put("TimeOut", 60);
    QVERIFY(host.login(server, async));
    const QString local = writeFile(QStringLiteral("big.bin"), size);
    QVERIFY(!host.call("STOR", {local, "big.bin"}).error);
    QVERIFY(host.waitUntilIdle());
    QVERIFY(!host.get("Connected").value.toBool());
    QVERIFY(!host.get("xFerInProgress").value.toBool());
    QCOMPARE(host.countEvents("OnFTPError"), 1);
    QVERIFY2(host.eventsNamed("OnFTPError").first().startsWith(NoReply),
             qPrintable(host.eventsNamed("OnFTPError").first()));
    if (async) {
        const QStringList progress = host.eventsNamed("OnAsyncEvent");
        QVERIFY(progress.last().endsWith(QLatin1String(" -1 STOR false")));
        QVERIFY(!progress.contains(QStringLiteral("OnAsyncEvent %1 %1 STOR false").arg(size)));
    }
}

QTEST_GUILESS_MAIN(tst_RavelConnection)
#include "tst_RavelConnection.moc"
