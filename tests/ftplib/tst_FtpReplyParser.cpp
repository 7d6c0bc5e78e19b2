#include "ravel/ftplib/FtpReplyParser.h"

#include <QTest>

// Replies as servers send them, fed whole and byte by byte.
class tst_FtpReplyParser : public QObject
{
    Q_OBJECT
private slots:
    void replies_data();
    void replies();
    void failureKeepsEarlierReplies();
    void resetRecovers();
};

using Codes = QList<int>;
using Lines = QList<QByteArray>;

void tst_FtpReplyParser::replies_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<Codes>("codes");
    // Per reply: the last line when it carries text after its code, else empty.
    QTest::addColumn<Lines>("lastLines");
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<bool>("failed");

    QTest::newRow("single") << QByteArray("220 (vsFTPd 3.0.3)\r\n") << Codes{220}
                            << Lines{"220 (vsFTPd 3.0.3)"} << 1 << false;
    QTest::newRow("bare LF") << QByteArray("200 Type set to: Binary.\n") << Codes{200}
                             << Lines{"200 Type set to: Binary."} << 1 << false;
    QTest::newRow("pyftpdlib FEAT")
        << QByteArray("211-Features supported:\r\n EPRT\r\n EPSV\r\n MDTM\r\n MLST "
                      "type*;perm*;size*;modify*;unique*;unix.mode;unix.uid;\r\n REST "
                      "STREAM\r\n SIZE\r\n TVFS\r\n UTF8\r\n211 End FEAT.\r\n")
        << Codes{211} << Lines{"211 End FEAT."} << 10 << false;
    QTest::newRow("continuation lines with codes")
        << QByteArray("230-Welcome\r\n230-Be nice\r\n230 Login successful.\r\n") << Codes{230}
        << Lines{"230 Login successful."} << 3 << false;
    QTest::newRow("other code inside")
        << QByteArray("214-The following commands are recognized.\r\n ABOR ACCT\r\n200 not "
                      "the end\r\n214-still not\r\n214 Help OK.\r\n")
        << Codes{214} << Lines{"214 Help OK."} << 5 << false;
    QTest::newRow("two in one packet")
        << QByteArray("150 Here comes the directory listing.\r\n226 Directory send OK.\r\n")
        << Codes{150, 226}
        << Lines{"150 Here comes the directory listing.", "226 Directory send OK."} << 1 << false;
    QTest::newRow("code only") << QByteArray("550\r\n") << Codes{550} << Lines{""} << 1 << false;
    QTest::newRow("code and blank")
        << QByteArray("550   \r\n") << Codes{550} << Lines{""} << 1 << false;
    QTest::newRow("multi-line ending in bare code")
        << QByteArray("226-Transfer done\r\n226\r\n") << Codes{226} << Lines{""} << 2 << false;
    QTest::newRow("incomplete") << QByteArray("230-Welcome\r\n230 Log") << Codes{} << Lines{} << 0
                                << false;

    QTest::newRow("no code") << QByteArray("hello there\r\n") << Codes{} << Lines{} << 0 << true;
    QTest::newRow("code 600") << QByteArray("600 what\r\n") << Codes{} << Lines{} << 0 << true;
    QTest::newRow("code 099") << QByteArray("099 what\r\n") << Codes{} << Lines{} << 0 << true;
    QTest::newRow("bad separator") << QByteArray("200x ok\r\n") << Codes{} << Lines{} << 0 << true;
    QTest::newRow("short") << QByteArray("20\r\n") << Codes{} << Lines{} << 0 << true;
    QTest::newRow("line too long")
        << "200 " + QByteArray(FtpReplyParser::MaxLine, 'x') << Codes{} << Lines{} << 0 << true;
    QByteArray endless = "200-start\r\n";
    while (endless.size() <= FtpReplyParser::MaxReply)
        endless += " a line of a reply that never ends\r\n";
    QTest::newRow("reply too long") << endless << Codes{} << Lines{} << 0 << true;
}

void tst_FtpReplyParser::replies()
{
    QFETCH(QByteArray, input);
    QFETCH(Codes, codes);
    QFETCH(Lines, lastLines);
    QFETCH(int, lineCount);
    QFETCH(bool, failed);

    for (const qsizetype chunk : {input.size(), qsizetype(1)}) {
        FtpReplyParser parser;
        for (qsizetype i = 0; i < input.size(); i += chunk)
            parser.feed(input.mid(i, chunk));
        Codes gotCodes;
        Lines gotLast;
        int lines = 0;
        while (const std::optional<FtpReply> reply = parser.takeReply()) {
            gotCodes.append(reply->code);
            gotLast.append(reply->lastLineWithText());
            lines = int(reply->lines.size());
        }
        QCOMPARE(gotCodes, codes);
        QCOMPARE(gotLast, lastLines);
        if (!codes.isEmpty())
            QCOMPARE(lines, lineCount);
        QCOMPARE(parser.failed(), failed);
    }
}

void tst_FtpReplyParser::failureKeepsEarlierReplies()
{
    FtpReplyParser parser;
    parser.feed(QByteArray("200 ok\r\nnonsense\r\n200 later\r\n"));
    const std::optional<FtpReply> first = parser.takeReply();
    QVERIFY(first);
    QCOMPARE(first->code, 200);
    QVERIFY(parser.failed());
    QVERIFY(!parser.takeReply());
}

void tst_FtpReplyParser::resetRecovers()
{
    FtpReplyParser parser;
    parser.feed(QByteArray("garbage\r\n"));
    QVERIFY(parser.failed());
    parser.reset();
    parser.feed(QByteArray("221 Goodbye.\r\n"));
    QVERIFY(!parser.failed());
    QCOMPARE(parser.takeReply()->code, 221);
}

QTEST_GUILESS_MAIN(tst_FtpReplyParser)
#include "tst_FtpReplyParser.moc"
