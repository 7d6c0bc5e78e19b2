#include "tests/ravel/RavelTestHost.h"
#include "tests/support/FtpTestServer.h"

#include <QTest>

// The component's security properties and errors, against pyftpdlib demanding TLS and a
// server without it.
class tst_RavelTls : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void connect_data();
    void connect();

private:
    std::unique_ptr<FtpTestServer> m_tls;
};

void tst_RavelTls::initTestCase()
{
    m_tls = std::make_unique<FtpTestServer>(FtpTestServer::Kind::PyftpdlibTls);
    QVERIFY2(m_tls->start(), qPrintable(m_tls->errorString()));
}

void tst_RavelTls::connect_data()
{
    QTest::addColumn<bool>("tlsServer");
    QTest::addColumn<int>("security");
    QTest::addColumn<bool>("trusted");
    QTest::addColumn<bool>("async");
    QTest::addColumn<int>("login");
    for (const bool async : {false, true}) {
        const char *mode = async ? "async" : "sync";
        QTest::addRow("trusted, %s", mode) << true << 2 << true << async << 3000;
        QTest::addRow("untrusted, %s", mode) << true << 1 << false << async << 6007;
        QTest::addRow("required, plain server, %s", mode) << false << 2 << false << async << 6006;
        QTest::addRow("if available, plain server, %s", mode)
            << false << 1 << false << async << 3000;
    }
}

void tst_RavelTls::connect()
{
    QFETCH(bool, tlsServer);
    QFETCH(int, security);
    QFETCH(bool, trusted);
    QFETCH(bool, async);
    QFETCH(int, login);
    FtpTestServer plain(FtpTestServer::Kind::Fake);
    if (!tlsServer)
        QVERIFY2(plain.start(), qPrintable(plain.errorString()));
    FtpTestServer &server = tlsServer ? *m_tls : plain;
    RavelTestHost host;
    QVERIFY(host.set("Security", 3).error);
    QCOMPARE(host.get("Security").value.toInt(), 0);
    host.put("Security", security);
    if (trusted)
        host.put("TrustedFingerprint", QString::fromLatin1(server.fingerprint().toUpper()));
    QCOMPARE(host.login(server, async), login == 3000);
    QCOMPARE(host.eventsNamed("OnLogin").last(), QStringLiteral("OnLogin %1").arg(login));
    QCOMPARE(host.get("TlsActive").value.toBool(), tlsServer && login == 3000);
    QCOMPARE(host.get("PeerFingerprint").value.toString().toLatin1(),
             tlsServer ? server.fingerprint() : QByteArray());
    if (login == 6007) {
        const QString error = host.eventsNamed("OnFTPError").last();
        QVERIFY2(error.contains(QString::fromLatin1(server.fingerprint())), qPrintable(error));
    }
}

QTEST_GUILESS_MAIN(tst_RavelTls)
#include "tst_RavelTls.moc"
