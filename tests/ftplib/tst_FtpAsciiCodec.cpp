#include "ravel/ftplib/FtpAsciiCodec.h"

#include <QTest>

// Line ends of TYPE A data, whole and cut at every byte, so a CR LF split between two chunks
// is met.
class tst_FtpAsciiCodec : public QObject
{
    Q_OBJECT
private slots:
    void conversions_data();
    void conversions();
};

void tst_FtpAsciiCodec::conversions_data()
{
    QTest::addColumn<QByteArray>("local");
    QTest::addColumn<QByteArray>("wire");
    QTest::newRow("LF lines") << QByteArray("<html>\n<body>\n")
                              << QByteArray("<html>\r\n<body>\r\n");
    QTest::newRow("no line end") << QByteArray("plain") << QByteArray("plain");
    QTest::newRow("empty lines") << QByteArray("\n\n") << QByteArray("\r\n\r\n");
    QTest::newRow("lone CR kept") << QByteArray("a\rb\n") << QByteArray("a\rb\r\n");
    QTest::newRow("CR at the end") << QByteArray("a\r") << QByteArray("a\r");
}

void tst_FtpAsciiCodec::conversions()
{
    QFETCH(QByteArray, local);
    QFETCH(QByteArray, wire);
    for (const qsizetype chunk : {wire.size() + 1, qsizetype(1)}) {
        FtpAsciiCodec toWire;
        QByteArray sent;
        for (qsizetype i = 0; i < local.size(); i += chunk)
            sent += toWire.toNetwork(local.constData() + i, std::min(chunk, local.size() - i));
        QCOMPARE(sent, wire);

        FtpAsciiCodec fromWire;
        QByteArray received;
        for (qsizetype i = 0; i < wire.size(); i += chunk)
            received +=
                fromWire.fromNetwork(wire.constData() + i, std::min(chunk, wire.size() - i));
        received += fromWire.finish();
        QCOMPARE(received, local);
    }
    // A local file that already has CR LF is sent unchanged.
    FtpAsciiCodec codec;
    QCOMPARE(codec.toNetwork(wire.constData(), wire.size()), wire);
}

QTEST_GUILESS_MAIN(tst_FtpAsciiCodec)
#include "tst_FtpAsciiCodec.moc"
