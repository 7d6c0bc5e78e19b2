#include "ravel/ftplib/FtpDataAddress.h"
#include "ravel/ftplib/FtpServerName.h"

#include <QTest>

// What people type as a host, and the EPSV reply as servers send it or garble it.
class tst_FtpAddresses : public QObject
{
    Q_OBJECT
private slots:
    void hostFields_data();
    void hostFields();
    void extendedPassiveReplies_data();
    void extendedPassiveReplies();
};

void tst_FtpAddresses::hostFields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::newRow("name and port") << "ftp.example.org:2121" << true << "ftp.example.org" << 2121;
    QTest::newRow("IPv6 bare") << "2001:db8::1" << true << "2001:db8::1" << 0;
    QTest::newRow("IPv6 and port") << "[::1]:2121" << true << "::1" << 2121;
    QTest::newRow("URL") << "FTP://[::1]:2121/dir/sub" << true << "::1" << 2121;
    QTest::newRow("unclosed bracket") << "[::1" << false << "" << 0;
    QTest::newRow("IPv4 in brackets") << "[127.0.0.1]" << false << "" << 0;
    QTest::newRow("port too big") << "host:65536" << false << "" << 0;
    QTest::newRow("port zero") << "host:0" << false << "" << 0;
    QTest::newRow("no host") << "ftp://:21/" << false << "" << 0;
}

void tst_FtpAddresses::hostFields()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(QString, host);
    QFETCH(int, port);
    const std::optional<FtpServerName> name = FtpServerName::parse(text);
    QCOMPARE(name.has_value(), valid);
    if (valid) {
        QCOMPARE(name->host, host);
        QCOMPARE(int(name->port), port);
    }
}

void tst_FtpAddresses::extendedPassiveReplies_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("port"); // 0: refused
    QTest::newRow("vsftpd") << QByteArray("Entering Extended Passive Mode (|||30001|)") << 30001;
    QTest::newRow("pyftpdlib") << QByteArray("Entering extended passive mode (|||41395|).")
                               << 41395;
    QTest::newRow("port 0") << QByteArray("(|||0|)") << 0;
    QTest::newRow("six digits") << QByteArray("(|||000021|)") << 0;
    QTest::newRow("address given") << QByteArray("(|2|::1|21|)") << 0;
    QTest::newRow("mixed delimiters") << QByteArray("(||!21|)") << 0;
    QTest::newRow("digit delimiter") << QByteArray("(1112121)") << 0;
}

void tst_FtpAddresses::extendedPassiveReplies()
{
    QFETCH(QByteArray, text);
    QFETCH(int, port);
    QCOMPARE(int(FtpDataAddress::extendedPassivePort(text).value_or(0)), port);
}

QTEST_GUILESS_MAIN(tst_FtpAddresses)
#include "tst_FtpAddresses.moc"
