#include "ravel/ftplib/FtpLib.h"
#include "tests/ftplib/FtpEventRecorder.h"
#include "tests/support/FtpTestServer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>
#include <thread>

// The C interface against the scripted fake server: servers that refuse, break the protocol,
// go silent or vanish.
class tst_FtpLibFaults : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void refusedLogin();
    void refusalTexts_data();
    void refusalTexts();
    void abortStalledTransfer_data();
    void abortStalledTransfer();
    void dropDuringTransfer();
    void storeBeforeTheReply_data();
    void storeBeforeTheReply();
    void stopWhileWaitingForDataConnection_data();
    void stopWhileWaitingForDataConnection();
    void connectionLostMidTransfer_data();
    void connectionLostMidTransfer();
    void silentServerTimesOut();
    void idleCloseIsTold();
    void passiveGoesToPeerOnly();
    void rawType_data();
    void rawType();
    void extendedPassiveOrFallback_data();
    void extendedPassiveOrFallback();
    void brokenReplies_data();
    void brokenReplies();
    void firewallLogins_data();
    void firewallLogins();
    void hostileLogins_data();
    void hostileLogins();
    void dataConnectionFailureNamesAddress_data();
    void dataConnectionFailureNamesAddress();
    void cancelledLogin_data();
    void cancelledLogin();

private:
    bool startAndLogin(const QString &scenario);
    // Starts a download that only ends when it is stopped, and waits until data flows.
    bool startEndlessDownload();
    // Starts an upload that the server stops reading, and waits until data flows.
    bool startStalledUpload();
    // A file of far more than the socket buffers hold; empty when it cannot be made.
    QString bigFile();

    std::unique_ptr<FtpTestServer> m_server;
    std::unique_ptr<FtpEventRecorder> m_events;
    QTemporaryDir m_local;
};

void tst_FtpLibFaults::init()
{
    m_events = std::make_unique<FtpEventRecorder>();
    QCOMPARE(LibStartSession(m_events.get(), nullptr), FTPLIB_OK);
    LibSetTimeout(10);
}

void tst_FtpLibFaults::cleanup()
{
    LibDropConnection();
    QCOMPARE(LibEndSession(), FTPLIB_OK);
    QCoreApplication::removePostedEvents(m_events.get());
    m_events.reset();
    m_server.reset();
}

bool tst_FtpLibFaults::startAndLogin(const QString &scenario)
{
    m_server = std::make_unique<FtpTestServer>(FtpTestServer::Kind::Fake, scenario);
    if (!m_server->start())
        return false;
    LibSetPort(m_server->port());
    return LibLogin("127.0.0.1", "test", "secret", nullptr, 0) == FTPLIB_OK;
}

bool tst_FtpLibFaults::startEndlessDownload()
{
    const QString local = m_local.filePath(QStringLiteral("endless.bin"));
    return startAndLogin(QStringLiteral("endless-retr")) &&
           LibReceive("endless.bin", local.toUtf8(), 'I', 1, m_events.get(),
                      FTPLIB_NOTIFY_TRANSFER) == FTPLIB_OK &&
           m_events->waitFor(FTPLIB_NOTIFY_TRANSFER, 1, false);
}

QString tst_FtpLibFaults::bigFile()
{
    QFile big(m_local.filePath(QStringLiteral("big.bin")));
    return big.open(QIODevice::WriteOnly) && big.resize(64 << 20) ? big.fileName() : QString();
}

bool tst_FtpLibFaults::startStalledUpload()
{
    // The sender is waiting when it is aborted.
    const QString big = bigFile();
    return !big.isEmpty() && startAndLogin(QStringLiteral("fault:stall:1")) &&
           LibSend(big.toUtf8(), "big.bin", 'I', 1, 0, m_events.get(), FTPLIB_NOTIFY_TRANSFER) ==
               FTPLIB_OK &&
           m_events->waitFor(FTPLIB_NOTIFY_TRANSFER, 1, false);
}

void tst_FtpLibFaults::refusedLogin()
{
    m_server =
        std::make_unique<FtpTestServer>(FtpTestServer::Kind::Fake, QStringLiteral("refuse-login"));
    QVERIFY(m_server->start());
    LibSetPort(m_server->port());
    LibAsyncOn();
    QCOMPARE(LibLogin("127.0.0.1", "test", "wrong", m_events.get(), FTPLIB_NOTIFY_LOGIN),
             FTPLIB_LOGINREFUSED);
    QVERIFY(m_events->waitFor(FTPLIB_NOTIFY_LOGIN, 1, false));
    QCOMPARE(m_events->of(FTPLIB_NOTIFY_LOGIN).first().second, FTPLIB_LOGINREFUSED);
    QCOMPARE(QByteArray(LibLastReply()), QByteArray("530 Login incorrect."));
    QCOMPARE(LibCommand("NOOP", nullptr, 0), 0);
}

void tst_FtpLibFaults::refusalTexts_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QByteArray>("lastReply");
    QTest::newRow("with text") << QStringLiteral("dele-550-text") << QByteArray("550 No such file");
    QTest::newRow("code only") << QStringLiteral("dele-550-bare") << QByteArray();
}

void tst_FtpLibFaults::refusalTexts()
{
    QFETCH(QString, scenario);
    QFETCH(QByteArray, lastReply);
    QVERIFY(startAndLogin(scenario));
    QCOMPARE(LibDelete("photo.jpg"), FTPLIB_SERVERCANTEXECUTE);
    QCOMPARE(QByteArray(LibLastReply()), lastReply);
    // A later success forgets the refusal's text.
    QCOMPARE(LibCommand("NOOP", nullptr, 0), 200);
    QCOMPARE(QByteArray(LibLastReply()), QByteArray("200 OK"));
}

void tst_FtpLibFaults::abortStalledTransfer_data()
{
    QTest::addColumn<bool>("upload");
    QTest::addColumn<bool>("inlineAsync");
    QTest::addColumn<bool>("passive");
    QTest::newRow("download") << false << false << false;
    // The abort shuts the socket the file is being sent to: that must not end the process.
    QTest::newRow("upload") << true << false << false;
    // Run on this thread, the transfer is stopped from another, as the component's host does;
    // the abort that follows only completes it.
    QTest::newRow("upload on the calling thread") << true << true << false;
    // The data went out with STOR, and the wait for the socket also watches for the reply.
    QTest::newRow("passive upload") << true << false << true;
}

void tst_FtpLibFaults::abortStalledTransfer()
{
    QFETCH(bool, upload);
    QFETCH(bool, inlineAsync);
    QFETCH(bool, passive);
    LibSetReplyEcho(1, m_events.get(), FTPLIB_NOTIFY_REPLY);
    LibSetInlineAsync(inlineAsync);
    LibSetPassive(passive);
    // Early or late, the interrupt stops the transfer the same way.
    std::thread stopper([session = LibSessionHandle(), inlineAsync] {
        if (inlineAsync) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            LibInterrupt(session, 0);
        }
    });
    const auto joined = qScopeGuard([&] { stopper.join(); });
    // Starting the server with QProcess made this process ignore SIGPIPE; `lumora` starts no
    // process, so it does not.
    struct sigaction byDefault = {};
    byDefault.sa_handler = SIG_DFL;
    struct sigaction before = {};
    sigaction(SIGPIPE, &byDefault, &before);
    const auto restore = qScopeGuard([&] { sigaction(SIGPIPE, &before, nullptr); });
    QVERIFY(upload ? startStalledUpload() : startEndlessDownload());
    QCOMPARE(LibAbort(), FTPLIB_OK);
    QVERIFY(m_events->waitFor(FTPLIB_NOTIFY_TRANSFER));
    QCoreApplication::sendPostedEvents(m_events.get());
    QCOMPARE(m_events->ends(FTPLIB_NOTIFY_TRANSFER).size(), 1);
    QCOMPARE(m_events->ends(FTPLIB_NOTIFY_TRANSFER).first().second, -1);
    QCOMPARE(m_events->ends(FTPLIB_NOTIFY_TRANSFER).first().code, FTPLIB_CANCELBYUSER);
    QList<int> codes;
    for (const FtpEventRecorder::Event &e : m_events->of(FTPLIB_NOTIFY_REPLY))
        codes.append(e.code);
    QCOMPARE(codes.mid(codes.size() - 2), QList<int>({426, 226}));
    QCOMPARE(LibCommand("NOOP", nullptr, 0), 200);
    QVERIFY(m_server->waitForCommand(QStringLiteral("NOOP")));
    QCOMPARE(m_server->commands().count(QStringLiteral("ABOR")), 1);
}

void tst_FtpLibFaults::dropDuringTransfer()
{
    QVERIFY(startEndlessDownload());
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(LibDropConnection(), FTPLIB_OK);
    QVERIFY(timer.elapsed() < 2000);
    QVERIFY(m_events->waitFor(FTPLIB_NOTIFY_TRANSFER));
    QCOMPARE(m_events->ends(FTPLIB_NOTIFY_TRANSFER).first().second, -1);
    QCOMPARE(LibCommand("NOOP", nullptr, 0), 0);
    QVERIFY(!m_server->commands().contains(QStringLiteral("ABOR")));
}

void tst_FtpLibFaults::storeBeforeTheReply_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<int>("firstCode");
    QTest::addColumn<int>("stores");
    QTest::addColumn<int>("heard");
    QTest::addColumn<int>("unheard");
    // The data outgrows the socket buffers that nobody reads: the refusal must end the wait.
    QTest::newRow("refused, data left unread")
        << QStringLiteral("fault:550:1") << int(FTPLIB_TRANSFERREFUSED) << 2 << 550 << 0;
    // The file goes again in the usual order, and so does every later one; the host never
    // hears of the 425 the library gets round.
    QTest::newRow("data wanted only after 150")
        << QStringLiteral("data-after-150") << int(FTPLIB_OK) << 3 << 226 << 425;
}

// A passive store sends its data before the server's first reply.
void tst_FtpLibFaults::storeBeforeTheReply()
{
    QFETCH(QString, scenario);
    QFETCH(int, firstCode);
    QFETCH(int, stores);
    QFETCH(int, heard);
    QFETCH(int, unheard);
    const QByteArray big = bigFile().toUtf8();
    QVERIFY(!big.isEmpty());
    QVERIFY(startAndLogin(scenario));
    LibSetPassive(1);
    LibSetReplyEcho(1, m_events.get(), FTPLIB_NOTIFY_REPLY);
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(LibSend(big, "big.bin", 'I', 0, 0, nullptr, 0), firstCode);
    QVERIFY(timer.elapsed() < 5000);
    QCOMPARE(LibSend(big, "again.bin", 'I', 0, 0, nullptr, 0), FTPLIB_OK);
    QCOMPARE(m_server->commands().filter(QStringLiteral("STOR ")).size(), stores);
    QCoreApplication::sendPostedEvents(m_events.get());
    QList<int> codes;
    for (const FtpEventRecorder::Event &e : m_events->of(FTPLIB_NOTIFY_REPLY))
        codes.append(e.code);
    QVERIFY(codes.contains(heard));
    QVERIFY(!codes.contains(unheard));
}

void tst_FtpLibFaults::stopWhileWaitingForDataConnection_data()
{
    QTest::addColumn<bool>("drop");
    QTest::addColumn<int>("code");
    QTest::newRow("abort") << false << int(FTPLIB_CANCELBYUSER);
    QTest::newRow("drop") << true << int(FTPLIB_NOTCONNECTED);
}

// Active mode waits for the server to connect; stopping must not wait for the time-out.
void tst_FtpLibFaults::stopWhileWaitingForDataConnection()
{
    QFETCH(bool, drop);
    QFETCH(int, code);
    QVERIFY(startAndLogin(QStringLiteral("no-data-connection")));
    const QString local = m_local.filePath(QStringLiteral("never.bin"));
    QCOMPARE(
        LibReceive("never.bin", local.toUtf8(), 'I', 1, m_events.get(), FTPLIB_NOTIFY_TRANSFER),
        FTPLIB_OK);
    QVERIFY(m_server->waitForCommand(QStringLiteral("RETR never.bin")));
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(drop ? LibDropConnection() : LibAbort(), FTPLIB_OK);
    QVERIFY(timer.elapsed() < 3000);
    QVERIFY(m_events->waitFor(FTPLIB_NOTIFY_TRANSFER));
    QCOMPARE(m_events->ends(FTPLIB_NOTIFY_TRANSFER).first().code, code);
    QCOMPARE(LibCommand("NOOP", nullptr, 0), drop ? 0 : 200);
}

void tst_FtpLibFaults::connectionLostMidTransfer_data()
{
    QTest::addColumn<bool>("async");
    QTest::addColumn<bool>("passive");
    QTest::newRow("sync active") << false << false;
    QTest::newRow("async passive") << true << true;
}

void tst_FtpLibFaults::connectionLostMidTransfer()
{
    QFETCH(bool, async);
    QFETCH(bool, passive);
    QVERIFY(startAndLogin(QStringLiteral("drop-mid-transfer")));
    LibSetPassive(passive);
    const QString local = m_local.filePath(QStringLiteral("cut.bin"));
    const int code =
        LibReceive("file.bin", local.toUtf8(), 'I', async, m_events.get(), FTPLIB_NOTIFY_TRANSFER);
    if (async) {
        QCOMPARE(code, FTPLIB_OK);
        QVERIFY(m_events->waitFor(FTPLIB_NOTIFY_TRANSFER));
        QCOMPARE(m_events->ends(FTPLIB_NOTIFY_TRANSFER).first().second, -1);
        QCOMPARE(m_events->ends(FTPLIB_NOTIFY_TRANSFER).first().code, FTPLIB_NOREPLY);
    } else {
        QCOMPARE(code, FTPLIB_NOREPLY);
    }
    // What a lost link looks like to the liveness check, and the way back.
    QCOMPARE(LibCommand("NOOP", nullptr, 0), 0);
    QCOMPARE(LibResetAfterLoss(), FTPLIB_OK);
    QCOMPARE(LibDropConnection(), FTPLIB_OK);
    QCOMPARE(LibEndSession(), FTPLIB_OK);
    QCOMPARE(LibStartSession(m_events.get(), nullptr), FTPLIB_OK);
    LibSetPort(m_server->port());
    QCOMPARE(LibLogin("127.0.0.1", "test", "secret", nullptr, 0), FTPLIB_OK);
}

void tst_FtpLibFaults::silentServerTimesOut()
{
    QVERIFY(startAndLogin(QStringLiteral("silent")));
    LibSetTimeout(1);
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(LibDelete("photo.jpg"), FTPLIB_NOREPLY);
    QCOMPARE(QByteArray(LibLastReply()), QByteArray());
    QCOMPARE(LibCommand("NOOP", nullptr, 0), 0);
    QVERIFY(timer.elapsed() < 5000);

    const QString local = m_local.filePath(QStringLiteral("never.bin"));
    QCOMPARE(LibReceive("x.bin", local.toUtf8(), 'I', 1, m_events.get(), FTPLIB_NOTIFY_TRANSFER),
             FTPLIB_OK);
    QVERIFY(m_events->waitFor(FTPLIB_NOTIFY_TRANSFER));
    QCOMPARE(m_events->ends(FTPLIB_NOTIFY_TRANSFER).first().second, -1);
    QVERIFY(timer.elapsed() < 10000);
}

// Between calls nothing reads the control connection; the session's receiver hears of the
// server's close anyway, and only of the server's, never of our own.
void tst_FtpLibFaults::idleCloseIsTold()
{
    QVERIFY(startAndLogin(QStringLiteral("idle-timeout")));
    QVERIFY(m_events->waitFor(FTPLIB_NOTIFY_LOST, 1, false));
    QCOMPARE(m_events->of(FTPLIB_NOTIFY_LOST).size(), 1);
    QCOMPARE(m_events->of(FTPLIB_NOTIFY_LOST).first().code, FTPLIB_NOTCONNECTED);
    QCOMPARE(LibCommand("NOOP", nullptr, 0), 0);

    QCOMPARE(LibLogin("127.0.0.1", "test", "secret", nullptr, 0), FTPLIB_OK);
    QCOMPARE(LibQuit(), FTPLIB_OK);
    QCOMPARE(LibLogin("127.0.0.1", "test", "secret", nullptr, 0), FTPLIB_OK);
    QCOMPARE(LibDropConnection(), FTPLIB_OK);
    // Our own close could only be told while it happens; the socket is gone afterwards.
    QCoreApplication::sendPostedEvents(m_events.get());
    QCOMPARE(m_events->of(FTPLIB_NOTIFY_LOST).size(), 1);
}

void tst_FtpLibFaults::passiveGoesToPeerOnly()
{
    QVERIFY(startAndLogin(QStringLiteral("foreign-227")));
    LibSetPassive(1);
    const qsizetype before = m_server->commands().count(QStringLiteral("PASV"));
    const QString local = m_local.filePath(QStringLiteral("file.bin"));
    QCOMPARE(LibReceive("file.bin", local.toUtf8(), 'I', 0, nullptr, 0), FTPLIB_OK);
    QFile file(local);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    QCOMPARE(data.size(), 256 * 1024);
    QCOMPARE(data.left(3), QByteArray("\x00\x01\x02", 3));
    QCOMPARE(m_server->commands().count(QStringLiteral("PASV")), before + 1);
}

void tst_FtpLibFaults::rawType_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<int>("typesAfter"); // TYPE commands the binary transfer sends
    QTest::newRow("TYPE I accepted") << QByteArray("type i") << 0;
    QTest::newRow("TYPE A accepted") << QByteArray("TYPE A") << 1;
    QTest::newRow("TYPE L 8 (not known)") << QByteArray("TYPE L 8") << 1;
}

// A raw TYPE the server accepted is the session's type: the next transfer does not send it
// again, and one it cannot take for granted makes the transfer set its own.
void tst_FtpLibFaults::rawType()
{
    QFETCH(QByteArray, raw);
    QFETCH(int, typesAfter);
    QVERIFY(startAndLogin(QStringLiteral("normal")));
    char reply[256];
    QVERIFY(LibCommand(raw.constData(), reply, sizeof reply) > 0);
    QVERIFY(m_server->waitForCommand(QString::fromLatin1(raw)));
    const qsizetype before = m_server->commands().size();
    const QString local = m_local.filePath(QStringLiteral("file.bin"));
    QCOMPARE(LibReceive("file.bin", local.toUtf8(), 'I', 0, nullptr, 0), FTPLIB_OK);
    QVERIFY(m_server->waitForCommand(QStringLiteral("RETR file.bin")));
    const QStringList after = m_server->commands().mid(before);
    QCOMPARE(after.filter(QRegularExpression("^TYPE")).size(), typesAfter);
}

void tst_FtpLibFaults::extendedPassiveOrFallback_data()
{
    QTest::addColumn<QString>("scenario");
    // Two transfers, a new login, a third transfer.
    QTest::addColumn<QStringList>("asked");
    const QStringList fallback{"EPSV", "PASV", "PASV", "EPSV", "PASV"};
    QTest::newRow("EPSV known") << "normal" << QStringList{"EPSV", "EPSV", "EPSV"};
    QTest::newRow("EPSV unknown (500)") << "epsv-500" << fallback;
    QTest::newRow("EPSV unknown (502)") << "epsv-502" << fallback;
}

// A server without EPSV is asked for PASV for the rest of its session, not beyond it.
void tst_FtpLibFaults::extendedPassiveOrFallback()
{
    QFETCH(QString, scenario);
    QFETCH(QStringList, asked);
    QVERIFY(startAndLogin(scenario));
    LibSetPassive(1);
    const QString local = m_local.filePath(QStringLiteral("file.bin"));
    for (int i = 0; i < 3; ++i) {
        if (i == 2) {
            QCOMPARE(LibQuit(), FTPLIB_OK);
            QCOMPARE(LibLogin("127.0.0.1", "test", "secret", nullptr, 0), FTPLIB_OK);
        }
        QCOMPARE(LibReceive("file.bin", local.toUtf8(), 'I', 0, nullptr, 0), FTPLIB_OK);
    }
    QStringList modes;
    for (const QString &command : m_server->commands())
        if (command == QLatin1String("EPSV") || command == QLatin1String("PASV"))
            modes << command;
    QCOMPARE(modes, asked);
}

void tst_FtpLibFaults::brokenReplies_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::newRow("no code") << QStringLiteral("garbage");
    QTest::newRow("line too long") << QStringLiteral("overlong");
    QTest::newRow("reply never ends") << QStringLiteral("endless-multiline");
}

// A server that breaks the protocol cannot be trusted to stay in step: the connection ends.
void tst_FtpLibFaults::brokenReplies()
{
    QFETCH(QString, scenario);
    QVERIFY(startAndLogin(scenario));
    char reply[32000];
    QCOMPARE(LibCommand("NOOP", reply, sizeof reply), 0);
    QCOMPARE(LibDelete("x"), FTPLIB_NOTCONNECTED);
    QCOMPARE(LibEndSession(), FTPLIB_OK);
    QCOMPARE(LibStartSession(m_events.get(), nullptr), FTPLIB_OK);
}

void tst_FtpLibFaults::firewallLogins_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("SITE") << int(FTPLIB_FW_SITE)
                          << QStringList{"USER proxy", "PASS pw", "SITE ftp.example.com",
                                         "USER test", "PASS secret"};
    QTest::newRow("OPEN") << int(FTPLIB_FW_OPEN)
                          << QStringList{"USER proxy", "PASS pw", "OPEN ftp.example.com",
                                         "USER test", "PASS secret"};
    QTest::newRow("USER after logon")
        << int(FTPLIB_FW_USER_LOGON)
        << QStringList{"USER proxy", "PASS pw", "USER test@ftp.example.com", "PASS secret"};
    QTest::newRow("USER without logon")
        << int(FTPLIB_FW_USER_NOLOGON) << QStringList{"USER test@ftp.example.com", "PASS secret"};
}

void tst_FtpLibFaults::firewallLogins()
{
    QFETCH(int, type);
    QFETCH(QStringList, expected);
    m_server = std::make_unique<FtpTestServer>(FtpTestServer::Kind::Fake);
    QVERIFY(m_server->start());
    QCOMPARE(LibFirewallLogin("127.0.0.1", "proxy", "pw", "ftp.example.com", "test", "secret", type,
                              m_server->port(), nullptr, 0),
             FTPLIB_OK);
    QCOMPARE(LibQuit(), FTPLIB_OK);
    expected.append(QStringLiteral("QUIT"));
    QVERIFY(m_server->waitForCommand(QStringLiteral("QUIT")));
    QCOMPARE(m_server->commands(), expected);
}

void tst_FtpLibFaults::hostileLogins_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<int>("code");
    QTest::newRow("flood of 120") << QStringLiteral("flood-120") << int(FTPLIB_UNEXPECTEDANSWER);
    QTest::newRow("multi-line reply dripping")
        << QStringLiteral("drip-multiline") << int(FTPLIB_NOREPLY);
}

// A server that keeps talking without ever answering is cut off: after 32 preliminary
// replies, or when a reply has not arrived whole within the time-out.
void tst_FtpLibFaults::hostileLogins()
{
    QFETCH(QString, scenario);
    QFETCH(int, code);
    m_server = std::make_unique<FtpTestServer>(FtpTestServer::Kind::Fake, scenario);
    QVERIFY(m_server->start());
    LibSetPort(m_server->port());
    LibSetTimeout(2);
    LibSetReplyEcho(1, m_events.get(), FTPLIB_NOTIFY_REPLY);
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(LibLogin("127.0.0.1", "test", "secret", nullptr, 0), code);
    QVERIFY(timer.elapsed() < 6000);
    QCoreApplication::sendPostedEvents(m_events.get());
    int preliminaries = 0;
    for (const FtpEventRecorder::Event &e : m_events->of(FTPLIB_NOTIFY_REPLY))
        preliminaries += e.code / 100 == 1;
    QVERIFY(preliminaries <= 32);
    QCOMPARE(LibCommand("NOOP", nullptr, 0), 0);
}

void tst_FtpLibFaults::dataConnectionFailureNamesAddress_data()
{
    QTest::addColumn<bool>("async");
    QTest::newRow("sync") << false;
    QTest::newRow("async") << true;
}

// Active mode: the server accepts RETR but never connects.
void tst_FtpLibFaults::dataConnectionFailureNamesAddress()
{
    QFETCH(bool, async);
    QVERIFY(startAndLogin(QStringLiteral("no-data-connection")));
    LibSetTimeout(1);
    const QString local = m_local.filePath(QStringLiteral("never.bin"));
    const int code =
        LibReceive("never.bin", local.toUtf8(), 'I', async, m_events.get(), FTPLIB_NOTIFY_TRANSFER);
    QByteArray failure;
    if (async) {
        QCOMPARE(code, FTPLIB_OK);
        QVERIFY(m_events->waitFor(FTPLIB_NOTIFY_TRANSFER));
        QCOMPARE(m_events->ends(FTPLIB_NOTIFY_TRANSFER).first().code, FTPLIB_TIMEOUT);
        failure = m_events->ends(FTPLIB_NOTIFY_TRANSFER).first().text;
        QCOMPARE(QByteArray(LibLastFailure()), failure);
    } else {
        QCOMPARE(code, FTPLIB_TIMEOUT);
        failure = LibLastFailure();
    }
    QVERIFY2(failure.startsWith("data connection to 127.0.0.1:") &&
                 failure.endsWith(": the server never connected"),
             failure.constData());
    // The next call starts without it.
    LibCommand("NOOP", nullptr, 0);
    QCOMPARE(QByteArray(LibLastFailure()), QByteArray());
}

void tst_FtpLibFaults::cancelledLogin_data()
{
    QTest::addColumn<bool>("dropFirst");
    QTest::addColumn<int>("code");
    QTest::newRow("cancel before the login") << false << int(FTPLIB_CANCELBYUSER);
    QTest::newRow("cancel forgotten by a drop") << true << int(FTPLIB_OK);
}

void tst_FtpLibFaults::cancelledLogin()
{
    QFETCH(bool, dropFirst);
    QFETCH(int, code);
    m_server = std::make_unique<FtpTestServer>(FtpTestServer::Kind::Fake);
    QVERIFY(m_server->start());
    LibSetPort(m_server->port());
    QCOMPARE(LibCancelLogin(LibSessionHandle()), FTPLIB_OK);
    if (dropFirst)
        LibDropConnection();
    QCOMPARE(LibLogin("127.0.0.1", "test", "secret", nullptr, 0), code);
    QCOMPARE(LibCommand("NOOP", nullptr, 0), dropFirst ? 200 : 0);
    // A cancel is used up by the login it stopped.
    QCOMPARE(LibLogin("127.0.0.1", "test", "secret", nullptr, 0), FTPLIB_OK);
}

QTEST_GUILESS_MAIN(tst_FtpLibFaults)
#include "tst_FtpLibFaults.moc"
