#include "ravel/RavelPersistence.h"
#include "tests/ravel/RavelTestHost.h"
#include "tests/support/FtpTestServer.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

// Servers that misbehave, scripted; the component reports and recovers, never hangs.
class tst_RavelFaults : public QObject
{
    Q_OBJECT
private slots:
    void refusedLogin();
    void deleteRefused_data();
    void deleteRefused();
    void droppedMidTransfer();
    void foreignPassiveAddress();
    void badReplies_data();
    void badReplies();
    void idleLossTellsItsReply();
    void asyncReceiveWithTypeRefused();
    void settingsLoadedAfterStartReachWorker();
    void cancelDuringSlowLogin();
    void destroyedBeforeReady();
    void timedOutSizeIsNotTheLast();
};

void tst_RavelFaults::refusedLogin()
{
    FtpTestServer server(FtpTestServer::Kind::Fake, QStringLiteral("refuse-login"));
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    for (const bool async : {false, true}) {
        RavelTestHost host;
        QVERIFY(!host.login(server, async));
        QCOMPARE(host.eventsNamed("OnLogin"), QStringList{"OnLogin 4009"});
        QVERIFY(!host.get("Connected").value.toBool());
        QVERIFY(!host.get("StillExecuting").value.toBool());
        QVERIFY(host.eventsNamed("OnFTPError").isEmpty());
    }
}

void tst_RavelFaults::deleteRefused_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QString>("text");
    QTest::newRow("with text") << "dele-550-text"
                               << "Error: File action not taken\n\nHost Response: 550 No such file";
    QTest::newRow("bare") << "dele-550-bare"
                          << "Error: File action not taken";
}

void tst_RavelFaults::deleteRefused()
{
    QFETCH(QString, scenario);
    QFETCH(QString, text);
    FtpTestServer server(FtpTestServer::Kind::Fake, scenario);
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    RavelTestHost host;
    QVERIFY(host.login(server, false));
    QVERIFY(!host.call("DELE", {"x"}).error);
    const qint32 number = qint32(0x800A0000u + 4008u);
    QCOMPARE(host.eventsNamed("OnFTPError"),
             QStringList{QStringLiteral("OnFTPError %1 %2").arg(number).arg(text)});
    QVERIFY(host.get("Connected").value.toBool());
    QCOMPARE(host.call("GetErrString", {number & 0xFFFF}).value.toString(),
             QStringLiteral("File action not taken"));
}

void tst_RavelFaults::droppedMidTransfer()
{
    QTemporaryDir dir;
    for (const bool async : {false, true}) {
        FtpTestServer server(FtpTestServer::Kind::Fake, QStringLiteral("drop-mid-transfer"));
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        RavelTestHost host;
        host.put("TimeOut", 2);
        QVERIFY(host.login(server, async));
        QVERIFY(!host.call("RETR", {"f", dir.filePath("f")}).error);
        // Synchronous: reported before the call returns. Asynchronous: the end notification
        // says -1 and clears the busy flag.
        if (async)
            QVERIFY(host.waitUntilIdle());
        else
            QCOMPARE(host.eventsNamed("OnFTPError").size(), 1);
        // Whatever the library made of it, the next call finds the link gone.
        host.call("CheckRemoteConnection");
        QVERIFY(!host.get("Connected").value.toBool());
        QVERIFY(!host.get("StillExecuting").value.toBool());
        QVERIFY(!host.get("xFerInProgress").value.toBool());
    }
}

void tst_RavelFaults::foreignPassiveAddress()
{
    FtpTestServer server(FtpTestServer::Kind::Fake, QStringLiteral("foreign-227"));
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QTemporaryDir dir;
    RavelTestHost host;
    host.put("Passive", true);
    QVERIFY(host.login(server, false));
    // The data connection goes to the control connection's peer, so the file arrives.
    QVERIFY(!host.call("RETR", {"f", dir.filePath("f")}).error);
    QCOMPARE(QFileInfo(dir.filePath("f")).size(), 256 * 1024);
    QVERIFY(host.eventsNamed("OnFTPError").isEmpty());
}

void tst_RavelFaults::badReplies_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::newRow("garbage") << "garbage";
    QTest::newRow("overlong") << "overlong";
    QTest::newRow("endless multi-line") << "endless-multiline";
}

void tst_RavelFaults::badReplies()
{
    QFETCH(QString, scenario);
    FtpTestServer server(FtpTestServer::Kind::Fake, scenario);
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    RavelTestHost host;
    host.put("TimeOut", 2); // the library's too, so that silence ends soon
    QVERIFY(host.login(server, false));
    // No answer worth the name: not connected afterwards, nothing left busy.
    QVERIFY(!host.call("CheckRemoteConnection").value.toBool());
    QVERIFY(!host.get("StillExecuting").value.toBool());
    QVERIFY(!host.call("LocalClose").error);
}

// The server's parting words, not an older reply, go with the report of an idle loss.
void tst_RavelFaults::idleLossTellsItsReply()
{
    FtpTestServer server(FtpTestServer::Kind::Fake, QStringLiteral("idle-timeout"));
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    RavelTestHost host;
    QVERIFY(host.login(server, false));
    QVERIFY(host.waitForEvent(QStringLiteral("OnFTPError")));
    QVERIFY2(host.eventsNamed("OnFTPError")
                 .first()
                 .endsWith(QLatin1String("\n\nHost Response: 421 Timeout.")),
             qPrintable(host.eventsNamed("OnFTPError").first()));
    QVERIFY(!host.get("Connected").value.toBool());
}

void tst_RavelFaults::asyncReceiveWithTypeRefused()
{
    FtpTestServer server(FtpTestServer::Kind::Fake, QStringLiteral("type-refused"));
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QTemporaryDir dir;
    RavelTestHost host;
    QVERIFY(host.login(server, true));
    QVERIFY(!host.call("RETR", {"f", dir.filePath("f")}).error);
    QVERIFY(host.waitForEvent(QStringLiteral("OnAsyncEvent")));
    QVERIFY(host.eventsNamed("OnAsyncEvent").first().startsWith(QLatin1String("OnAsyncEvent ")));
    QCOMPARE(host.eventsNamed("OnAsyncEvent").first().section(QLatin1Char(' '), 2),
             QStringLiteral("-1 RETR false"));
    QVERIFY(host.waitUntilIdle());
    QVERIFY(!host.get("xFerInProgress").value.toBool());
}

// The worker has its own copies of the modes; a load after it started must reach them.
void tst_RavelFaults::settingsLoadedAfterStartReachWorker()
{
    FtpTestServer server(FtpTestServer::Kind::Fake);
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    RavelPropertyBag bag = RavelPersistence::defaults();
    bag.write(QStringLiteral("Port"), QString::number(server.port()));
    bag.write(QStringLiteral("AsyncMode"), QStringLiteral("False"));
    bag.write(QStringLiteral("RemoteHost"), QStringLiteral("127.0.0.1"));

    RavelTestHost host;
    QVERIFY(!host.call("CheckRemoteConnection").error); // the worker is ready now
    QVERIFY(RavelPersistence::load(host.ctrl, bag).loaded);
    QVERIFY(!host.call("Connect").error);
    QCOMPARE(host.eventsNamed("OnLogin"), QStringList{"OnLogin 3000"});
}

// Cancel's LocalClose breaks a slow login at once; the login never counts as connected.
void tst_RavelFaults::cancelDuringSlowLogin()
{
    FtpTestServer server(FtpTestServer::Kind::Fake, QStringLiteral("slow-login"));
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    RavelTestHost host;
    host.put("TimeOut", 20);
    host.put("AsyncMode", true);
    host.put("Port", server.port());
    host.put("RemoteHost", QStringLiteral("127.0.0.1"));
    QVERIFY(!host.call("Connect").error);
    QVERIFY(server.waitForCommand(QStringLiteral("PASS guest@example.com")));
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!host.call("LocalClose").error);
    // The server answers after 5 s; waiting behind the login would take that long.
    QVERIFY(timer.elapsed() < 4000);
    QVERIFY(host.waitForEvent(QStringLiteral("OnLogin")));
    QCOMPARE(host.eventsNamed("OnLogin"), QStringList{"OnLogin 2999"});
    QVERIFY(!host.get("Connected").value.toBool());
    QVERIFY(!host.get("StillExecuting").value.toBool());
}

// The worker waits for an end that must come even when it was not ready yet.
void tst_RavelFaults::destroyedBeforeReady()
{
    auto ctrl = std::make_unique<CRavelCtrl>();
    QCoreApplication::sendPostedEvents(ctrl.get());
    ctrl.reset();
}

// A SIZE whose wait ends without a reply must not read the one before it.
void tst_RavelFaults::timedOutSizeIsNotTheLast()
{
    FtpTestServer server(FtpTestServer::Kind::Fake, QStringLiteral("size-then-silent"));
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    RavelTestHost host;
    host.put("TimeOut", 1);
    QVERIFY(host.login(server, false));
    QCOMPARE(host.call("SIZE", {"a"}).value.toLongLong(), 1234);
    QCOMPARE(host.call("SIZE", {"a"}).value.toLongLong(), 0);
}

QTEST_GUILESS_MAIN(tst_RavelFaults)
#include "tst_RavelFaults.moc"
