#include "tests/ravel/RavelTestHost.h"
#include "tests/support/FtpTestServer.h"

#include <QElapsedTimer>
#include <QMetaClassInfo>
#include <QTemporaryDir>
#include <QTest>

// The published interface: DISPIDs, metadata, validation and automation errors, the wait.
class tst_RavelInterface : public QObject
{
    Q_OBJECT
private slots:
    void dispidsAndNames();
    void metadata();
    void validation_data();
    void validation();
    void rejectedValueIsKept();
    void readOnlyAndConnectedOnly();
    void busyCheck();
    void timeOutCountsQuietTime();
    void timeOutZero();
    void missingLibraryRaisesInsteadOfWaiting();
};

void tst_RavelInterface::dispidsAndNames()
{
    RavelTestHost host;
    QCOMPARE(RavelDispatch::dispidOf("RemoteHost"), 1);
    QCOMPARE(RavelDispatch::dispidOf("RESTSupported"), 33);
    QCOMPARE(RavelDispatch::dispidOf("MKD"), 57);
    QCOMPARE(RavelDispatch::dispidOf("AboutBox"), -552);
    QCOMPARE(RavelDispatch::nameOf(34), QStringLiteral("CWD"));

    // Every DISPID from 1 to 62 names a published member, reachable by number and name; the
    // security members come after the first interface's last one.
    QCOMPARE(RavelDispatch::dispidOf("Security"), 58);
    QCOMPARE(RavelDispatch::dispidOf("CaFile"), 62);
    for (int dispid = 1; dispid <= 62; ++dispid) {
        const QString name = RavelDispatch::nameOf(dispid);
        QVERIFY2(!name.isEmpty(), qPrintable(QString::number(dispid)));
        QCOMPARE(RavelDispatch::dispidOf(name), dispid);
    }
    QVERIFY(RavelDispatch::invoke(host.ctrl, 15, RavelDispatch::Kind::Put, {4000}).error ==
            std::nullopt);
    QCOMPARE(RavelDispatch::invoke(host.ctrl, 15, RavelDispatch::Kind::Get, {}).value.toInt(),
             4000);
    QCOMPARE(host.get("ProxyPort").value.toInt(), 4000);
    QCOMPARE(RavelDispatch::invoke(host.ctrl, 99, RavelDispatch::Kind::Get, {}).error->number(),
             438);
    QCOMPARE(host.call("NoSuchMethod").error->number(), 438);
}

void tst_RavelInterface::metadata()
{
    const QMetaObject &meta = CRavelCtrl::staticMetaObject;
    const auto info = [&](const char *key) {
        return QString::fromUtf8(meta.classInfo(meta.indexOfClassInfo(key)).value());
    };
    QCOMPARE(info("ProgID"), QStringLiteral("Ravel.RavelCtrl.1"));
    QCOMPARE(info("TypeLibrary"), QStringLiteral("RavelLib"));
    QCOMPARE(info("DispatchInterface"), QStringLiteral("_DRavel"));
    QCOMPARE(RavelDispatch::helpOf("STOR"), QStringLiteral("Store a file to the remote host."));
    QCOMPARE(RavelDispatch::helpOf("RAVEL_HOSTTYPE_UNIX"), QStringLiteral("UNIX (default)"));
    QCOMPARE(RavelDispatch::helpOf("RAVELERR_CANCELBYUSER"),
             QStringLiteral("Transfer aborted by user ABOR"));
    const QMetaEnum errors = QMetaEnum::fromType<CRavelCtrl::cnstRavelErrors>();
    // The 46 of the first interface and the two TLS errors after them.
    QCOMPARE(errors.keyCount(), 48);
    for (int i = 0; i < errors.keyCount(); ++i)
        QVERIFY2(!RavelDispatch::helpOf(errors.key(i)).isEmpty(), errors.key(i));
}

void tst_RavelInterface::validation_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("isSet");
    QTest::addColumn<QVariantList>("args");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("text"); // string-table id, 0 for a standard text

    const QVariantList none;
    QTest::newRow("Port 32769") << "Port" << true << QVariantList{32769} << 380 << 105;
    QTest::newRow("Port -1") << "Port" << true << QVariantList{-1} << 380 << 105;
    QTest::newRow("ProxyPort 32769") << "ProxyPort" << true << QVariantList{32769} << 380 << 105;
    QTest::newRow("ProxyType 4") << "ProxyType" << true << QVariantList{4} << 380 << 105;
    QTest::newRow("ProxyType -1") << "ProxyType" << true << QVariantList{-1} << 380 << 105;
    QTest::newRow("FileType 2") << "FileType" << true << QVariantList{2} << 380 << 105;
    QTest::newRow("TimeOut -1") << "TimeOut" << true << QVariantList{-1} << 380 << 105;
    QTest::newRow("write HostType") << "HostType" << true << QVariantList{9} << 383 << 111;
    QTest::newRow("write Connected") << "Connected" << true << QVariantList{true} << 383 << 0;
    QTest::newRow("write BytesXfered") << "BytesXfered" << true << QVariantList{1} << 383 << 0;
    QTest::newRow("DELE number") << "DELE" << false << QVariantList{42} << 7002 << 113;
    QTest::newRow("STOR number") << "STOR" << false << QVariantList{"x", 1} << 7002 << 113;
    QTest::newRow("LIST number") << "LIST" << false << QVariantList{42} << 380 << 113;
    QTest::newRow("DELE empty") << "DELE" << false << none << 94 << 106;
    QTest::newRow("RETR empty") << "RETR" << false << QVariantList{"", "x"} << 94 << 106;
    QTest::newRow("MKD empty") << "MKD" << false << QVariantList{""} << 94 << 106;
    QTest::newRow("RMD empty") << "RMD" << false << QVariantList{""} << 94 << 106;
    QTest::newRow("CWD empty, none before") << "CWD" << false << QVariantList{""} << 94 << 106;
    QTest::newRow("QUOT absent") << "QUOT" << false << QVariantList{QVariant()} << 94 << 106;
    QTest::newRow("SIZELocal missing file")
        << "SIZELocal" << false << QVariantList{"/nonexistent/file"} << 53 << 0;
    QTest::newRow("MDTMLocal missing file")
        << "MDTMLocal" << false << QVariantList{"/nonexistent/file"} << 53 << 0;
    QTest::newRow("RESTSTOR byte count 0")
        << "RESTSTOR" << false << QVariantList{"/etc/hostname", "x", 0} << 7003 << 114;
    QTest::newRow("RESTRETR byte count 0")
        << "RESTRETR" << false << QVariantList{"x", "/etc/hostname", 0} << 7003 << 114;
    QTest::newRow("RESTRETR local file missing")
        << "RESTRETR" << false << QVariantList{"x", "/nonexistent/file", 10} << 2 << 108;
    QTest::newRow("line break in a name")
        << "DELE" << false << QVariantList{"a\r\nDELE b"} << 5 << 0;
    QTest::newRow("too many arguments") << "PWD" << false << QVariantList{1} << 450 << 0;
    QTest::newRow("wrong type for a string")
        << "GetErrString" << false << QVariantList{"abc"} << 13 << 0;
}

void tst_RavelInterface::validation()
{
    QFETCH(QString, name);
    QFETCH(bool, isSet);
    QFETCH(QVariantList, args);
    QFETCH(int, number);
    QFETCH(int, text);

    RavelTestHost host;
    const RavelDispatch::Result result = RavelDispatch::invoke(
        host.ctrl, name, isSet ? RavelDispatch::Kind::Put : RavelDispatch::Kind::Call, args);
    QVERIFY(result.error);
    QCOMPARE(result.error->number(), number);
    if (text)
        QCOMPARE(result.error->description(), RavelError::textOf(RavelError::Text(text)));
    QVERIFY(!host.ctrl.isModified());
    QVERIFY(host.eventsNamed("OnFTPError").isEmpty());
}

void tst_RavelInterface::rejectedValueIsKept()
{
    RavelTestHost host;
    host.put("ProxyType", 3);
    host.put("Port", 32768);
    QVERIFY(host.set("ProxyType", 4).error);
    QVERIFY(host.set("Port", 32769).error);
    QCOMPARE(host.get("ProxyType").value.toInt(), 3);
    QCOMPARE(host.get("Port").value.toInt(), 32768);

    int changed = 0;
    QObject::connect(&host.ctrl, &CRavelCtrl::propertyChanged, [&](int dispid) {
        QCOMPARE(dispid, 6);
        ++changed;
    });
    host.put("RemoteFile", "a.txt");
    QCOMPARE(changed, 1);
    QVERIFY(host.ctrl.isModified());
}

void tst_RavelInterface::readOnlyAndConnectedOnly()
{
    RavelTestHost host;
    for (const char *name : {"RemoteIPAddress", "LocalIPAddress", "RemoteHName", "LocalHName"}) {
        const RavelDispatch::Result result = host.get(name);
        QVERIFY2(result.error && result.error->number() == 394, name);
    }
    QVERIFY(!host.set("LocalIPAddress", "1.2.3.4").error);
    // Not connected: no server is asked.
    QCOMPARE(host.get("HostType").value.toInt(), 0);
    QCOMPARE(host.get("StillExecuting").value.toBool(), false);
}

void tst_RavelInterface::busyCheck()
{
    FtpTestServer server(FtpTestServer::Kind::Fake, QStringLiteral("endless-retr"));
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    RavelTestHost host;
    QVERIFY(host.login(server, true));
    QTemporaryDir dir;
    QVERIFY(!host.call("RETR", {"endless", dir.filePath("endless")}).error);
    QVERIFY(host.get("StillExecuting").value.toBool());
    QVERIFY(host.waitForEvent("OnAsyncEvent"));
    for (const char *name : {"CWD", "PWD", "LIST", "STOR", "MKD", "CheckRemoteConnection"}) {
        const bool takesName =
            QByteArray(name) != "PWD" && QByteArray(name) != "CheckRemoteConnection";
        const RavelDispatch::Result result =
            host.call(name, takesName ? QVariantList{"x"} : QVariantList{});
        QVERIFY2(result.error && result.error->number() == 7001, name);
        QCOMPARE(result.error->description(), RavelError::textOf(RavelError::TextBusy));
    }
    QCOMPARE(host.set("Passive", true).error->number(), 7001);
    QVERIFY(host.get("xFerInProgress").value.toBool());
    // ABOR is taken while busy, and the cancelled transfer is reported as such.
    QVERIFY(!host.call("ABOR").error);
    QVERIFY2(host.waitForEvent("OnFTPError"), qPrintable(server.commands().join(QLatin1Char('|'))));
    QCOMPARE(host.eventsNamed("OnFTPError").first(),
             QStringLiteral("OnFTPError 2999 Action Cancelled By User"));
    QVERIFY(!host.get("StillExecuting").value.toBool());
    QVERIFY(!host.get("xFerInProgress").value.toBool());
    QVERIFY(!host.call("QUIT").error);
}

void tst_RavelInterface::timeOutCountsQuietTime()
{
    FtpTestServer server(FtpTestServer::Kind::Fake, QStringLiteral("silent"));
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    RavelTestHost host;
    host.put("TimeOut", 1); // the library's too: the login's own commands go unanswered
    QVERIFY(host.login(server, false));
    QElapsedTimer clock;
    clock.start();
    // The server never answers: the call returns after the quiet time, without raising.
    QVERIFY(!host.call("PWD").error);
    QVERIFY(clock.elapsed() >= 900);
    QVERIFY(clock.elapsed() < 10000);
    QVERIFY(!host.get("StillExecuting").value.toBool());
    // The library gives up in its turn and says so; then the connection is closed locally.
    QVERIFY(host.waitForEvent("OnFTPError"));
    QVERIFY(!host.call("LocalClose").error);
    QVERIFY(!host.get("Connected").value.toBool());
}

void tst_RavelInterface::timeOutZero()
{
    FtpTestServer server(FtpTestServer::Kind::Fake, QStringLiteral("normal"));
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    RavelTestHost host;
    QVERIFY(host.login(server, false));
    host.put("TimeOut", 0);
    // Returns at once, done or not; the job's late signal must not end the next wait early.
    QVERIFY(!host.call("PWD").error);
    QVERIFY(!host.get("StillExecuting").value.toBool());
    host.put("TimeOut", 5);
    QCOMPARE(host.get("TimeOut").value.toInt(), 5);
    QCOMPARE(host.call("QUOT", {"NOOP"}).value.toInt(), 200);
    QVERIFY(!host.call("QUIT").error);
}

void tst_RavelInterface::missingLibraryRaisesInsteadOfWaiting()
{
    RavelTestHost host;
    host.ctrl.setLibraryPath(QStringLiteral("/nonexistent/ravelftp"));
    const RavelDispatch::Result result = host.call("PWD");
    QVERIFY(result.error);
    QCOMPARE(result.error->number(), 48);
    QCOMPARE(host.call("QUIT").error->number(), 48);
}

QTEST_GUILESS_MAIN(tst_RavelInterface)
#include "tst_RavelInterface.moc"
