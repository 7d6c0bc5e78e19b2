#include "ravel/ftplib/FtpLib.h"
#include "tests/ftplib/FtpServerTest.h"
#include "tests/ftplib/FtpTestFiles.h"
#include "tests/support/FtpTestServer.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace FtpTestFiles;

// FTP over TLS through the C interface, against pyftpdlib and vsftpd that both demand TLS on
// the control and data connections (vsftpd also session reuse), and a server without TLS.
class tst_FtpLibTls : public FtpServerTest
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void transfers_data();
    void transfers();
    void trust_data();
    void trust();
    void withoutTls_data();
    void withoutTls();
    void abortOverTls();

private:
    int login(FtpTestServer &s, int security);

    std::unique_ptr<FtpTestServer> m_plain;
};

void tst_FtpLibTls::initTestCase()
{
    QString error;
    QVERIFY2(startServers(FtpTestServer::Kind::PyftpdlibTls, FtpTestServer::Kind::VsftpdTls, error),
             qPrintable(error));
}

void tst_FtpLibTls::init()
{
    QVERIFY(openSession());
}

void tst_FtpLibTls::cleanup()
{
    QVERIFY(closeSession());
    m_plain.reset();
}

int tst_FtpLibTls::login(FtpTestServer &s, int security)
{
    LibSetPort(s.port());
    LibSetSecurity(security);
    return LibLogin(s.host(), s.user(), s.password(), nullptr, 0);
}

void tst_FtpLibTls::transfers_data()
{
    addTransferRows();
}

// Both servers refuse a login or a data connection in the clear, so a login and transfers
// that succeed went in TLS; vsftpd also refuses a data connection that does not resume the
// control connection's session.
void tst_FtpLibTls::transfers()
{
    QFETCH(QString, serverName);
    QFETCH(bool, passive);
    QFETCH(bool, async);
    FtpTestServer &s = server(serverName);
    QCOMPARE(LibSetTrustedFingerprints(s.fingerprint()), FTPLIB_OK);
    QCOMPARE(login(s, FTPLIB_SECURITY_REQUIRED), FTPLIB_OK);
    QCOMPARE(LibTlsActive(), 1);
    QCOMPARE(QByteArray(LibPeerFingerprint()), s.fingerprint());
    LibSetPassive(passive);

    // A small store ends before the server's session tickets are read: its close must not
    // turn into a reset that costs the server the file's end.
    const QString small = m_local->filePath(QStringLiteral("small.bin"));
    QVERIFY(writeRandom(small, 700));
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(LibSend(small.toUtf8(), "small.bin", 'I', false, 0, nullptr, 0), FTPLIB_OK);
        QVERIFY(sameContent(small, s.home() + QLatin1String("/small.bin")));
    }
    const qint64 size = 3 * 1024 * 1024 + 17;
    const QString source = m_local->filePath(QStringLiteral("up.bin"));
    const QString back = m_local->filePath(QStringLiteral("down.bin"));
    QVERIFY(writeRandom(source, size));
    QCOMPARE(
        LibSend(source.toUtf8(), "up.bin", 'I', async, 0, m_events.get(), FTPLIB_NOTIFY_TRANSFER),
        FTPLIB_OK);
    if (async) {
        QVERIFY(m_events->waitFor(FTPLIB_NOTIFY_TRANSFER));
        QCOMPARE(m_events->ends(FTPLIB_NOTIFY_TRANSFER).first().code, FTPLIB_OK);
    }
    QVERIFY(sameContent(source, s.home() + QLatin1String("/up.bin")));
    QCOMPARE(
        LibReceive("up.bin", back.toUtf8(), 'I', async, m_events.get(), FTPLIB_NOTIFY_TRANSFER),
        FTPLIB_OK);
    if (async)
        QVERIFY(m_events->waitFor(FTPLIB_NOTIFY_TRANSFER, 2));
    QVERIFY(sameContent(source, back));
    for (const FtpEventRecorder::Event &end : m_events->ends(FTPLIB_NOTIFY_TRANSFER))
        QVERIFY2(end.code == FTPLIB_OK, end.text.constData());

    QCOMPARE(LibList(nullptr, nullptr, 0, m_events.get(), FTPLIB_NOTIFY_LIST), FTPLIB_OK);
    if (async)
        QVERIFY(m_events->waitFor(FTPLIB_NOTIFY_LIST));
    QCoreApplication::sendPostedEvents(m_events.get());
    bool listed = false;
    for (const FtpEventRecorder::Event &line : m_events->of(FTPLIB_NOTIFY_LIST))
        listed = listed || (line.first == 0 && line.text.endsWith("up.bin"));
    QVERIFY(listed);
    QCOMPARE(LibQuit(), FTPLIB_OK);

    if (serverName == QLatin1String("pyftpdlib")) {
        const QStringList commands = s.commands();
        QVERIFY(commands.contains(QStringLiteral("TLS PASS")));
        QVERIFY2(!commands.contains(QStringLiteral("PLAIN PASS")), qPrintable(commands.join(',')));
        QVERIFY(commands.contains(QStringLiteral("TLS PROT")));
    }
}

void tst_FtpLibTls::trust_data()
{
    QTest::addColumn<QString>("serverName");
    // "own": the server's fingerprint; "other": the other server's; "cafile": the server's
    // certificate as an extra CA.
    QTest::addColumn<QString>("trusted");
    QTest::addColumn<int>("result");
    QTest::newRow("pyftpdlib nothing") << "pyftpdlib"
                                       << "" << int(FTPLIB_UNTRUSTEDCERT);
    QTest::newRow("vsftpd nothing") << "vsftpd"
                                    << "" << int(FTPLIB_UNTRUSTEDCERT);
    QTest::newRow("another certificate") << "pyftpdlib"
                                         << "other" << int(FTPLIB_UNTRUSTEDCERT);
    QTest::newRow("fingerprint with colons, upper case") << "vsftpd"
                                                         << "own-colons" << int(FTPLIB_OK);
    QTest::newRow("among several") << "pyftpdlib"
                                   << "several" << int(FTPLIB_OK);
    QTest::newRow("extra CA file") << "pyftpdlib"
                                   << "cafile" << int(FTPLIB_OK);
}

void tst_FtpLibTls::trust()
{
    QFETCH(QString, serverName);
    QFETCH(QString, trusted);
    QFETCH(int, result);
    FtpTestServer &s = server(serverName);
    FtpTestServer &other = &s == m_vsftpd.get() ? *m_pyftpdlib : *m_vsftpd;
    QByteArray colons;
    for (qsizetype i = 0; i < s.fingerprint().size(); i += 2)
        colons += (i ? ":" : "") + s.fingerprint().mid(i, 2).toUpper();
    if (trusted == QLatin1String("other"))
        LibSetTrustedFingerprints(other.fingerprint());
    else if (trusted == QLatin1String("own-colons"))
        LibSetTrustedFingerprints(colons);
    else if (trusted == QLatin1String("several"))
        LibSetTrustedFingerprints(other.fingerprint() + ", " + s.fingerprint());
    else if (trusted == QLatin1String("cafile"))
        QCOMPARE(LibAddCaFile(s.certificateFile().toUtf8()), FTPLIB_OK);

    const qsizetype seen = s.commands().size();
    QCOMPARE(login(s, FTPLIB_SECURITY_IFAVAILABLE), result);
    // The certificate seen is told either way, so a person can judge it.
    QCOMPARE(QByteArray(LibPeerFingerprint()), s.fingerprint());
    if (result == FTPLIB_OK) {
        QCOMPARE(LibTlsActive(), 1);
        QCOMPARE(LibQuit(), FTPLIB_OK);
        return;
    }
    QVERIFY(!QByteArray(LibCertificateError()).isEmpty());
    QVERIFY2(QByteArray(LibLastFailure()).contains(s.fingerprint()), LibLastFailure());
    QCOMPARE(LibTlsActive(), 0);
    QCOMPARE(LibCommand("NOOP", nullptr, 0), 0);
    if (&s == m_pyftpdlib.get())
        QVERIFY(!s.commands().mid(seen).contains(QStringLiteral("TLS USER")));
}

void tst_FtpLibTls::withoutTls_data()
{
    QTest::addColumn<int>("security");
    QTest::addColumn<int>("result");
    QTest::newRow("plain") << int(FTPLIB_SECURITY_PLAIN) << int(FTPLIB_OK);
    QTest::newRow("if available") << int(FTPLIB_SECURITY_IFAVAILABLE) << int(FTPLIB_OK);
    QTest::newRow("required") << int(FTPLIB_SECURITY_REQUIRED) << int(FTPLIB_TLSREFUSED);
}

void tst_FtpLibTls::withoutTls()
{
    QFETCH(int, security);
    QFETCH(int, result);
    m_plain = std::make_unique<FtpTestServer>(FtpTestServer::Kind::Fake);
    QVERIFY2(m_plain->start(), qPrintable(m_plain->errorString()));
    QCOMPARE(login(*m_plain, security), result);
    QCOMPARE(LibTlsActive(), 0);
    const QStringList commands = m_plain->commands();
    QCOMPARE(commands.contains(QStringLiteral("AUTH TLS")), security != FTPLIB_SECURITY_PLAIN);
    // A password must not go out in the clear when TLS was required.
    QCOMPARE(commands.filter(QStringLiteral("USER")).isEmpty(), result != FTPLIB_OK);
    if (result != FTPLIB_OK)
        QVERIFY2(QByteArray(LibLastFailure()).contains("AUTH TLS"), LibLastFailure());
}

// ABOR goes over the protected control connection while vsftpd sends in TLS.
void tst_FtpLibTls::abortOverTls()
{
    QFile big(m_vsftpd->home() + QLatin1String("/big.bin"));
    QVERIFY(big.open(QIODevice::WriteOnly));
    QVERIFY(big.resize(qint64(4) << 30));
    big.close();
    LibSetTrustedFingerprints(m_vsftpd->fingerprint());
    QCOMPARE(login(*m_vsftpd, FTPLIB_SECURITY_REQUIRED), FTPLIB_OK);
    LibSetPassive(1);
    const QString local = m_local->filePath(QStringLiteral("big.bin"));
    QCOMPARE(LibReceive("big.bin", local.toUtf8(), 'I', 1, m_events.get(), FTPLIB_NOTIFY_TRANSFER),
             FTPLIB_OK);
    QVERIFY(m_events->waitFor(FTPLIB_NOTIFY_TRANSFER, 1, false));
    QCOMPARE(LibAbort(), FTPLIB_OK);
    QVERIFY(m_events->waitFor(FTPLIB_NOTIFY_TRANSFER));
    QCOMPARE(m_events->ends(FTPLIB_NOTIFY_TRANSFER).first().code, FTPLIB_CANCELBYUSER);
    QCOMPARE(LibCommand("NOOP", nullptr, 0), 200);
}

QTEST_GUILESS_MAIN(tst_FtpLibTls)
#include "tst_FtpLibTls.moc"
