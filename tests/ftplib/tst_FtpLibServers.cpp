#include "ravel/ftplib/FtpLib.h"
#include "tests/ftplib/FtpServerTest.h"
#include "tests/ftplib/FtpTestFiles.h"
#include "tests/support/FtpTestServer.h"

#include <QDir>
#include <QHostAddress>
#include <QHostInfo>
#include <QLibrary>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

using namespace FtpTestFiles;

// The C interface against real servers (pyftpdlib and vsftpd) started on loopback.
class tst_FtpLibServers : public FtpServerTest
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void directories_data();
    void directories();
    void transfers_data();
    void transfers();
    void restarts_data();
    void restarts();
    void ipv6Uploads_data();
    void ipv6Uploads();
    void asciiRoundTrip();
    void appendAndUnique();
    void renameAndDelete();
    void listings_data();
    void listings();
    void refusedTransfersEndOnce_data();
    void refusedTransfersEndOnce();
    void abortRunningTransfer_data();
    void abortRunningTransfer();
    void refusedLogin();
    void sessionLifecycle();
    void transcriptAndEcho();
    void asyncLogin();
    void loadsByName();

private:
    void addServerColumn();
    bool login(FtpTestServer &s);
};

void tst_FtpLibServers::initTestCase()
{
    QString error;
    QVERIFY2(startServers(FtpTestServer::Kind::Pyftpdlib, FtpTestServer::Kind::Vsftpd, error),
             qPrintable(error));
}

void tst_FtpLibServers::init()
{
    QVERIFY(openSession());
}

void tst_FtpLibServers::cleanup()
{
    QVERIFY(closeSession());
}

void tst_FtpLibServers::addServerColumn()
{
    QTest::addColumn<QString>("serverName");
}

bool tst_FtpLibServers::login(FtpTestServer &s)
{
    LibSetPort(s.port());
    return LibLogin(s.host(), s.user(), s.password(), m_events.get(), FTPLIB_NOTIFY_LOGIN) ==
           FTPLIB_OK;
}

void tst_FtpLibServers::directories_data()
{
    addServerColumn();
    QTest::newRow("pyftpdlib") << QStringLiteral("pyftpdlib");
    QTest::newRow("vsftpd") << QStringLiteral("vsftpd");
}

void tst_FtpLibServers::directories()
{
    QFETCH(QString, serverName);
    FtpTestServer &s = server(serverName);
    QVERIFY(login(s));

    char buffer[260];
    char start[5000];
    QCOMPARE(LibCurrentDir(start, sizeof start), FTPLIB_OK);
    QCOMPARE(LibMakeDir("album \"one\"", buffer, sizeof buffer), FTPLIB_OK);
    QVERIFY2(QByteArray(buffer).endsWith("album \"one\""), buffer);
    QCOMPARE(LibChangeDir("album \"one\""), FTPLIB_OK);
    char dir[5000];
    QCOMPARE(LibCurrentDir(dir, sizeof dir), FTPLIB_OK);
    QVERIFY2(QByteArray(dir).endsWith("/album \"one\""), dir);
    QCOMPARE(LibParentDir(), FTPLIB_OK);
    QCOMPARE(LibCurrentDir(dir, sizeof dir), FTPLIB_OK);
    QCOMPARE(QByteArray(dir), QByteArray(start));
    QCOMPARE(LibRemoveDir("album \"one\""), FTPLIB_OK);

    QCOMPARE(LibChangeDir("missing"), FTPLIB_SERVERCANTEXECUTE);
    QVERIFY2(QByteArray(LibLastReply()).startsWith("550 "), LibLastReply());
    QCOMPARE(LibChangeDir("bad\r\nDELE x"), FTPLIB_INVALIDPARAMETER);

    char reply[32000];
    QCOMPARE(LibCommand("NOOP", reply, sizeof reply), 200);
    QVERIFY(QByteArray(reply).startsWith("200"));
    // A short buffer gets what fits, still terminated.
    char tiny[4];
    QCOMPARE(LibCommand("NOOP", tiny, sizeof tiny), 200);
    QCOMPARE(QByteArray(tiny), QByteArray("200"));

    const char *const systems[] = {"Chameleon", "MVS", "UNIX", "VMS", ""};
    QCOMPARE(LibSystemType(systems), 2);
    const char *const others[] = {"Chameleon", "MVS", nullptr};
    QCOMPARE(LibSystemType(others), 2);

    char name[289];
    unsigned char address[4] = {};
    QCOMPARE(LibRemoteHost(name, sizeof name, address), FTPLIB_OK);
    QCOMPARE(QByteArray(name), QByteArray("127.0.0.1"));
    QCOMPARE(address[0], 127);
    QCOMPARE(address[3], 1);
    QCOMPARE(LibQuit(), FTPLIB_OK);
    QCOMPARE(LibCommand("NOOP", nullptr, 0), 0);
}

void tst_FtpLibServers::transfers_data()
{
    addTransferRows();
}

void tst_FtpLibServers::transfers()
{
    QFETCH(QString, serverName);
    QFETCH(bool, passive);
    QFETCH(bool, async);
    FtpTestServer &s = server(serverName);
    const qint64 size = 3 * 1024 * 1024 + 17;
    const QString source = m_local->filePath(QStringLiteral("up.bin"));
    const QString back = m_local->filePath(QStringLiteral("down.bin"));
    QVERIFY(writeRandom(source, size));
    QVERIFY(login(s));
    LibSetPassive(passive);
    QCOMPARE(LibSetType('I'), FTPLIB_OK);

    QCOMPARE(
        LibSend(source.toUtf8(), "up.bin", 'I', async, 0, m_events.get(), FTPLIB_NOTIFY_TRANSFER),
        FTPLIB_OK);
    QCOMPARE(LibTransferSize(), size);
    if (async)
        QVERIFY(m_events->waitFor(FTPLIB_NOTIFY_TRANSFER));
    QVERIFY(sameContent(source, s.home() + QLatin1String("/up.bin")));

    QCOMPARE(
        LibReceive("up.bin", back.toUtf8(), 'I', async, m_events.get(), FTPLIB_NOTIFY_TRANSFER),
        FTPLIB_OK);
    QCOMPARE(LibTransferSize(), size);
    if (async)
        QVERIFY(m_events->waitFor(FTPLIB_NOTIFY_TRANSFER, 2));
    QVERIFY(sameContent(source, back));

    QCoreApplication::sendPostedEvents(m_events.get());
    const QList<FtpEventRecorder::Event> events = m_events->of(FTPLIB_NOTIFY_TRANSFER);
    if (!async) {
        QVERIFY(events.isEmpty());
        return;
    }
    // Per transfer: rising progress up to the size, then one end with the size.
    long long last = 0;
    int ends = 0;
    for (const FtpEventRecorder::Event &e : events) {
        if (e.first == 0) {
            QVERIFY(e.second > last && e.second <= size);
            last = e.second;
            continue;
        }
        QCOMPARE(e.second, size);
        QCOMPARE(e.code, FTPLIB_OK);
        QCOMPARE(last, size);
        last = 0;
        ++ends;
    }
    QCOMPARE(ends, 2);
}

void tst_FtpLibServers::restarts_data()
{
    directories_data();
}

void tst_FtpLibServers::restarts()
{
    QFETCH(QString, serverName);
    FtpTestServer &s = server(serverName);
    const qint64 size = 2 * 1024 * 1024 + 5;
    const qint64 cut = 700 * 1024 + 3;
    const QString whole = m_local->filePath(QStringLiteral("whole.bin"));
    QVERIFY(writeRandom(whole, size));
    const QString remote = s.home() + QLatin1String("/part.bin");
    QVERIFY(QFile::copy(whole, remote));
    QVERIFY(QFile::resize(remote, cut));
    QVERIFY(login(s));

    // Upload: the rest of the file, from where the server stopped.
    int fd = ::open(QFile::encodeName(whole).constData(), O_RDONLY);
    QVERIFY(fd >= 0);
    QCOMPARE(::lseek(fd, cut, SEEK_SET), cut);
    const int sent =
        LibRestartSend(fd, "part.bin", 'I', 0, size, m_events.get(), FTPLIB_NOTIFY_TRANSFER);
    ::close(fd);
    QCOMPARE(sent, FTPLIB_OK);
    QCOMPARE(LibTransferSize(), size);
    QVERIFY(sameContent(whole, remote));

    // Download: the rest, appended where the local copy stopped.
    const QString local = m_local->filePath(QStringLiteral("part.bin"));
    QVERIFY(QFile::copy(whole, local));
    QVERIFY(QFile::resize(local, cut));
    fd = ::open(QFile::encodeName(local).constData(), O_WRONLY);
    QVERIFY(fd >= 0);
    QCOMPARE(::lseek(fd, cut, SEEK_SET), cut);
    const int received =
        LibRestartReceive("part.bin", fd, 'I', 1, cut, m_events.get(), FTPLIB_NOTIFY_TRANSFER);
    QCOMPARE(received, FTPLIB_OK);
    QVERIFY(m_events->waitFor(FTPLIB_NOTIFY_TRANSFER));
    ::close(fd);
    QCOMPARE(m_events->ends(FTPLIB_NOTIFY_TRANSFER).first().second, size);
    QVERIFY(m_events->of(FTPLIB_NOTIFY_TRANSFER).first().second > cut);
    QVERIFY(sameContent(whole, local));
}

void tst_FtpLibServers::ipv6Uploads_data()
{
    // %1: the server's port, which then wins over LibSetPort's.
    QTest::addColumn<QString>("host");
    QTest::addColumn<bool>("passive");
    QTest::addColumn<bool>("serverOnIpv6");
    QTest::newRow("bare address, active (EPRT)") << "::1" << false << true;
    QTest::newRow("brackets and port, passive (EPSV)") << "[::1]:%1" << true << true;
    QTest::newRow("IPv4-mapped address, active (PORT)") << "::ffff:127.0.0.1" << false << false;
    // Debian's /etc/hosts names ::1 so; a machine whose hosts file does not skips the row.
    QTest::newRow("name with only an IPv6 address, passive") << "ip6-localhost" << true << true;
}

void tst_FtpLibServers::ipv6Uploads()
{
    if (!FtpTestServer::hasIpv6Loopback())
        QSKIP("no IPv6 loopback (::1) on this machine");
    QFETCH(QString, host);
    QFETCH(bool, passive);
    QFETCH(bool, serverOnIpv6);
    if (host == QLatin1String("ip6-localhost")) {
        const QList<QHostAddress> found = QHostInfo::fromName(host).addresses();
        if (found != QList<QHostAddress>{QHostAddress(QHostAddress::LocalHostIPv6)})
            QSKIP("ip6-localhost does not name ::1 alone on this machine");
    }
    FtpTestServer s(FtpTestServer::Kind::Pyftpdlib);
    s.setIpv6(serverOnIpv6);
    QVERIFY2(s.start(), qPrintable(s.errorString()));
    const bool portInHost = host.contains(QLatin1String("%1"));
    LibSetPort(portInHost ? 21 : s.port());
    LibSetPassive(passive);
    const QByteArray text = (portInHost ? host.arg(s.port()) : host).toUtf8();
    QCOMPARE(LibLogin(text, s.user(), s.password(), nullptr, 0), FTPLIB_OK);
    const QString source = m_local->filePath(QStringLiteral("up6.bin"));
    QVERIFY(writeRandom(source, 1024 * 1024 + 3));
    QCOMPARE(LibSend(source.toUtf8(), "up6.bin", 'I', 0, 0, nullptr, 0), FTPLIB_OK);
    QVERIFY(sameContent(source, s.home() + QLatin1String("/up6.bin")));
}

// TYPE A: LF here, CR LF on the wire; pyftpdlib stores LF again on this system.
void tst_FtpLibServers::asciiRoundTrip()
{
    const QByteArray text = "<html>\n<body>\n" + QByteArray(300000, 'x') + "\n</html>\n";
    const QString page = m_local->filePath(QStringLiteral("page.html"));
    QFile file(page);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    QVERIFY(login(*m_pyftpdlib));

    QCOMPARE(LibSend(page.toUtf8(), "page.html", 'A', 0, 0, nullptr, 0), FTPLIB_OK);
    QVERIFY(sameContent(page, m_pyftpdlib->home() + QLatin1String("/page.html")));
    const QString back = m_local->filePath(QStringLiteral("back.html"));
    QCOMPARE(LibReceive("page.html", back.toUtf8(), 'A', 0, nullptr, 0), FTPLIB_OK);
    QVERIFY(sameContent(page, back));
}

void tst_FtpLibServers::appendAndUnique()
{
    const QString a = m_local->filePath(QStringLiteral("a.txt"));
    QFile file(a);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("second part\n");
    file.close();
    QFile remote(m_pyftpdlib->home() + QLatin1String("/log.txt"));
    QVERIFY(remote.open(QIODevice::WriteOnly));
    remote.write("first part\n");
    remote.close();
    QVERIFY(login(*m_pyftpdlib));

    QCOMPARE(LibSendAppend(a.toUtf8(), "log.txt", 'I', 0, nullptr, 0), FTPLIB_OK);
    QVERIFY(remote.open(QIODevice::ReadOnly));
    QCOMPARE(remote.readAll(), QByteArray("first part\nsecond part\n"));
    remote.close();

    const int before = int(QDir(m_pyftpdlib->home()).count());
    QCOMPARE(LibSend(a.toUtf8(), "log.txt", 'I', 0, 1, nullptr, 0), FTPLIB_OK);
    QCOMPARE(int(QDir(m_pyftpdlib->home()).count()), before + 1);
    QVERIFY(remote.open(QIODevice::ReadOnly));
    QCOMPARE(remote.readAll(), QByteArray("first part\nsecond part\n"));
}

void tst_FtpLibServers::renameAndDelete()
{
    QFile file(m_pyftpdlib->home() + QLatin1String("/old.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(login(*m_pyftpdlib));

    QCOMPARE(LibRename("old.txt", "new.txt"), FTPLIB_OK);
    QVERIFY(QFile::exists(m_pyftpdlib->home() + QLatin1String("/new.txt")));
    QCOMPARE(LibRename("old.txt", "other.txt"), FTPLIB_SERVERCANTEXECUTE);
    QCOMPARE(LibDelete("new.txt"), FTPLIB_OK);
    QVERIFY(!QFile::exists(m_pyftpdlib->home() + QLatin1String("/new.txt")));
    QCOMPARE(LibDelete("new.txt"), FTPLIB_SERVERCANTEXECUTE);
    QVERIFY2(QByteArray(LibLastReply()).startsWith("550 "), LibLastReply());
}

void tst_FtpLibServers::listings_data()
{
    directories_data();
}

void tst_FtpLibServers::listings()
{
    QFETCH(QString, serverName);
    FtpTestServer &s = server(serverName);
    const QString dir = s.home() + QLatin1String("/list");
    QVERIFY(QDir().mkpath(dir + QLatin1String("/empty")));
    for (const char *name : {"one.jpg", "two.jpg"}) {
        QFile f(dir + QLatin1Char('/') + QLatin1String(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QVERIFY(login(s));
    QCOMPARE(LibChangeDir("list"), FTPLIB_OK);

    // Names only, into a file.
    const QString names = m_local->filePath(QStringLiteral("names.txt"));
    QCOMPARE(LibList(nullptr, names.toUtf8(), 0, nullptr, 0), FTPLIB_OK);
    QFile file(names);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringList got =
        QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    got.sort();
    QCOMPARE(got, QStringList({"empty", "one.jpg", "two.jpg"}));

    // Long lines, one event each, then the end.
    LibAsyncOn();
    QCOMPARE(LibList("", nullptr, 1, m_events.get(), FTPLIB_NOTIFY_LIST), FTPLIB_OK);
    QVERIFY(m_events->waitFor(FTPLIB_NOTIFY_LIST));
    const QList<FtpEventRecorder::Event> events = m_events->of(FTPLIB_NOTIFY_LIST);
    QCOMPARE(events.size(), 4);
    QVERIFY(events[0].text.contains("empty") || events[0].text.contains(".jpg"));
    QCOMPARE(events.last().second, FTPLIB_OK);

    // An empty folder has nothing to list, told both ways.
    QCOMPARE(LibList("empty", nullptr, 1, m_events.get(), FTPLIB_NOTIFY_LIST), FTPLIB_OK);
    QVERIFY(m_events->waitFor(FTPLIB_NOTIFY_LIST, 2));
    QCOMPARE(m_events->ends(FTPLIB_NOTIFY_LIST).last().second, -1);
    LibAsyncOff();
    QCOMPARE(LibList("empty", names.toUtf8(), 1, nullptr, 0), -1);
}

void tst_FtpLibServers::refusedTransfersEndOnce_data()
{
    directories_data();
}

// A refusal before any data moves still ends the transfer, exactly once; a refused download
// leaves an existing local file alone.
void tst_FtpLibServers::refusedTransfersEndOnce()
{
    QFETCH(QString, serverName);
    FtpTestServer &s = server(serverName);
    const QString local = m_local->filePath(QStringLiteral("keep.txt"));
    QFile file(local);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("precious");
    file.close();
    QVERIFY(login(s));

    QCOMPARE(LibSend(local.toUtf8(), "no/such/dir/x.txt", 'I', 1, 0, m_events.get(),
                     FTPLIB_NOTIFY_TRANSFER),
             FTPLIB_OK);
    QCOMPARE(
        LibReceive("missing.txt", local.toUtf8(), 'I', 1, m_events.get(), FTPLIB_NOTIFY_TRANSFER),
        FTPLIB_OK);
    QCOMPARE(
        LibSend("/no/such/local/file", "x.txt", 'I', 1, 0, m_events.get(), FTPLIB_NOTIFY_TRANSFER),
        FTPLIB_CANTOPENFILE);
    QVERIFY(m_events->waitFor(FTPLIB_NOTIFY_TRANSFER, 3));
    const QList<FtpEventRecorder::Event> ends = m_events->ends(FTPLIB_NOTIFY_TRANSFER);
    QCOMPARE(m_events->of(FTPLIB_NOTIFY_TRANSFER).size(), 3);
    QCOMPARE(ends[0].code, FTPLIB_TRANSFERREFUSED);
    QCOMPARE(ends[1].code, FTPLIB_NOREMOTEFILE);
    QCOMPARE(ends[2].code, FTPLIB_CANTOPENFILE);
    for (const FtpEventRecorder::Event &e : ends)
        QCOMPARE(e.second, -1);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("precious"));
    QCOMPARE(LibCommand("NOOP", nullptr, 0), 200);
}

void tst_FtpLibServers::abortRunningTransfer_data()
{
    directories_data();
}

void tst_FtpLibServers::abortRunningTransfer()
{
    QFETCH(QString, serverName);
    FtpTestServer &s = server(serverName);
    // Sparse, so it costs no disk, and far too big to finish before the abort.
    QFile big(s.home() + QLatin1String("/big.bin"));
    QVERIFY(big.open(QIODevice::WriteOnly));
    QVERIFY(big.resize(qint64(4) << 30));
    big.close();
    QVERIFY(login(s));
    LibSetReplyEcho(1, m_events.get(), FTPLIB_NOTIFY_REPLY);

    const QString local = m_local->filePath(QStringLiteral("big.bin"));
    QCOMPARE(LibReceive("big.bin", local.toUtf8(), 'I', 1, m_events.get(), FTPLIB_NOTIFY_TRANSFER),
             FTPLIB_OK);
    QVERIFY(m_events->waitFor(FTPLIB_NOTIFY_TRANSFER, 1, false));
    QCOMPARE(LibAbort(), FTPLIB_OK);
    QVERIFY(m_events->waitFor(FTPLIB_NOTIFY_TRANSFER));
    const FtpEventRecorder::Event end = m_events->ends(FTPLIB_NOTIFY_TRANSFER).first();
    QCOMPARE(end.second, -1);
    QCOMPARE(end.code, FTPLIB_CANCELBYUSER);
    QVERIFY(QFileInfo(local).size() < (qint64(4) << 30));
    // The control connection is still in step.
    QCOMPARE(LibCommand("NOOP", nullptr, 0), 200);
    bool saw426 = false;
    for (const FtpEventRecorder::Event &e : m_events->of(FTPLIB_NOTIFY_REPLY))
        saw426 = saw426 || e.code == 426;
    QVERIFY(saw426);
}

void tst_FtpLibServers::refusedLogin()
{
    LibSetPort(m_pyftpdlib->port());
    QCOMPARE(LibLogin("127.0.0.1", "test", "wrong", nullptr, 0), FTPLIB_LOGINREFUSED);
    QVERIFY(QByteArray(LibLastReply()).startsWith("530"));
    QCOMPARE(LibCommand("NOOP", nullptr, 0), 0);
    QCOMPARE(LibDelete("x"), FTPLIB_NOTCONNECTED);

    LibSetPort(FtpTestServer::freePort());
    QCOMPARE(LibLogin("127.0.0.1", "test", "secret", nullptr, 0), FTPLIB_CONNECTREJECTED);
    QCOMPARE(LibLogin("no-such-host.invalid", "test", "secret", nullptr, 0), FTPLIB_UNKNOWNHOST);
}

void tst_FtpLibServers::sessionLifecycle()
{
    QCOMPARE(LibStartSession(nullptr, nullptr), FTPLIB_SESSIONUSED);
    QVERIFY(login(*m_pyftpdlib));
    QCOMPARE(LibEndSession(), FTPLIB_STILLCONNECTED);
    QCOMPARE(LibQuit(), FTPLIB_OK);
    QCOMPARE(LibEndSession(), FTPLIB_OK);
    QCOMPARE(LibChangeDir("x"), FTPLIB_NOTINITIALIZED);
    QCOMPARE(LibEndSession(), FTPLIB_NOACTIVESESSION);
    QCOMPARE(LibStartSession(m_events.get(), nullptr), FTPLIB_OK);
    QCOMPARE(QByteArray(LibErrorText(FTPLIB_LOGINREFUSED)),
             QByteArray("Server rejected Username/Password"));
    QCOMPARE(QByteArray(LibErrorText(FTPLIB_OK)), QByteArray("Ftp Command Succeeded"));
}

void tst_FtpLibServers::transcriptAndEcho()
{
    QTemporaryFile log;
    QVERIFY(log.open());
    QCOMPARE(LibSetLogFile(log.handle()), FTPLIB_OK);
    LibSetReplyEcho(1, m_events.get(), FTPLIB_NOTIFY_REPLY);
    QVERIFY(login(*m_pyftpdlib));
    QCOMPARE(LibChangeDir("missing"), FTPLIB_SERVERCANTEXECUTE);
    LibSetReplyEcho(0, nullptr, 0);
    QCOMPARE(LibCommand("NOOP", nullptr, 0), 200);
    LibSetLogFile(-1);
    QCOMPARE(LibCommand("NOOP", nullptr, 0), 200);

    QFile written(log.fileName());
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray text = written.readAll();
    QVERIFY(text.contains("> USER test\r\n"));
    QVERIFY(text.contains("> PASS ****\r\n"));
    QVERIFY(!text.contains("secret"));
    QVERIFY(text.contains("< 230"));
    QCOMPARE(text.count("> NOOP"), 1);
    QVERIFY(text.endsWith("\r\n"));

    QCoreApplication::sendPostedEvents(m_events.get());
    const QList<FtpEventRecorder::Event> replies = m_events->of(FTPLIB_NOTIFY_REPLY);
    QCOMPARE(replies.first().code, 220);
    QCOMPARE(replies.last().code, 550);
    QVERIFY(replies.last().text.startsWith("550 "));
}

void tst_FtpLibServers::asyncLogin()
{
    LibAsyncOn();
    QVERIFY(login(*m_pyftpdlib));
    QVERIFY(m_events->waitFor(FTPLIB_NOTIFY_LOGIN, 1, false));
    const QList<FtpEventRecorder::Event> done = m_events->of(FTPLIB_NOTIFY_LOGIN);
    QCOMPARE(done.size(), 1);
    QCOMPARE(done.first().second, FTPLIB_OK);
}

void tst_FtpLibServers::loadsByName()
{
    QLibrary library(QCoreApplication::applicationDirPath() + QLatin1String("/../lib/ravelftp"));
    QVERIFY2(library.load(), qPrintable(library.errorString()));
    const auto table = reinterpret_cast<decltype(&LibFunctions)>(library.resolve("LibFunctions"));
    QVERIFY(table);
    QVERIFY(reinterpret_cast<QFunctionPointer>(table()->Login) == library.resolve("LibLogin"));
    for (const char *name :
         {"LibStartSession",  "LibEndSession",     "LibSetReplyEcho",   "LibSetTimeout",
          "LibSetPort",       "LibSetPassive",     "LibAsyncOn",        "LibAsyncOff",
          "LibTransferSize",  "LibSetLogFile",     "LibResetAfterLoss", "LibLogin",
          "LibFirewallLogin", "LibQuit",           "LibDropConnection", "LibDelete",
          "LibChangeDir",     "LibRemoveDir",      "LibSendAccount",    "LibParentDir",
          "LibRename",        "LibSetType",        "LibCommand",        "LibSystemType",
          "LibCurrentDir",    "LibMakeDir",        "LibAbort",          "LibReceive",
          "LibReceiveAppend", "LibRestartReceive", "LibSend",           "LibSendAppend",
          "LibRestartSend",   "LibList",           "LibRemoteHost",     "LibLastReply",
          "LibErrorText"})
        QVERIFY2(library.resolve(name), name);
}

QTEST_GUILESS_MAIN(tst_FtpLibServers)
#include "tst_FtpLibServers.moc"
