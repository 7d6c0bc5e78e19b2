#include "ravelscript/RavelScript.h"
#include "tests/support/FtpTestServer.h"

#include "ravel/CRavelCtrl.h"
#include "ravel/RavelPropertyBag.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

// `lumora ravel`: literals and values, and whole scripts run by the built program.
class tst_RavelScript : public QObject
{
    Q_OBJECT
private slots:
    void literals_data();
    void literals();
    void values_data();
    void values();
    void endToEnd();
    void saveAndLoad();
    void refusals_data();
    void refusals();
};

void tst_RavelScript::literals_data()
{
    QTest::addColumn<QString>("token");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("valid");
    QTest::newRow("string") << R"("a \"b\"\n\\")" << QVariant(QStringLiteral("a \"b\"\n\\"))
                            << true;
    QTest::newRow("empty string") << R"("")" << QVariant(QString()) << true;
    QTest::newRow("integer") << "-42" << QVariant(-42) << true;
    QTest::newRow("True") << "True" << QVariant(true) << true;
    QTest::newRow("missing") << "-" << QVariant() << true;
    QTest::newRow("bare word") << "pub" << QVariant() << false;
    QTest::newRow("bad escape") << R"("\q")" << QVariant() << false;
    QTest::newRow("unclosed") << R"("abc)" << QVariant() << false;
}

void tst_RavelScript::literals()
{
    QFETCH(QString, token);
    QFETCH(QVariant, value);
    QFETCH(bool, valid);
    const std::optional<QVariant> parsed = RavelScript::parseLiteral(token);
    QCOMPARE(parsed.has_value(), valid);
    if (valid)
        QCOMPARE(*parsed, value);
}

void tst_RavelScript::values_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("string") << QVariant(QStringLiteral("x\r\n\"é\\")) << R"("x\r\n\"é\\")";
    QTest::newRow("negative") << QVariant(qint32(0x800A0FA8u)) << "-2146824280";
    QTest::newRow("False") << QVariant(false) << "False";
    QTest::newRow("NUL stays on the line")
        << QVariant(QStringLiteral("a") + QChar(0) + QStringLiteral("b")) << R"("a\0b")";
    QTest::newRow("zero date") << QVariant(QDateTime(QDate(1899, 12, 30), QTime(0, 0)))
                               << "1899-12-30 00:00:00";
}

void tst_RavelScript::values()
{
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    QCOMPARE(RavelScript::format(value), text);
}

void tst_RavelScript::endToEnd()
{
    FtpTestServer server(FtpTestServer::Kind::Pyftpdlib);
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    const QString script =
        QStringLiteral(R"(; a comment
set #23 %1
set RemoteHost "127.0.0.1"
set UserName "%2"
set PassWord "%3"
set AsyncMode False

call Connect
get Connected
call MKD "pub"
call #34 "pub"
call PWD
call QUOT "NOOP" -
set ProxyType 4
get Nothing
call DELE "nothere"
this is not a statement
call QUIT
)")
            .arg(server.port())
            .arg(QString::fromLatin1(server.user()), QString::fromLatin1(server.password()));
    QProcess lumora;
    lumora.start(qEnvironmentVariable("LUMORA_BINARY"), {QStringLiteral("ravel")});
    QVERIFY(lumora.waitForStarted());
    lumora.write(script.toUtf8());
    lumora.closeWriteChannel();
    QVERIFY(lumora.waitForFinished(60000));
    QCOMPARE(lumora.exitCode(), 0);
    const QStringList lines = QString::fromUtf8(lumora.readAllStandardOutput())
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QStringList expected = {
        "=",
        "=",
        "=",
        "=",
        "=",
        R"(event OnHostResponse 220 "CONNECT" "220 pyftpdlib 1.5.7 ready.")",
        R"(event OnHostResponse 331 "CONNECT" "331 Username ok, send password.")",
        R"(event OnHostResponse 230 "CONNECT" "230 Login successful.")",
        R"(event OnHostResponse 200 "TYPE" "200 Type set to: Binary.")",
        R"(event OnHostResponse 350 "REST" "350 Restarting at position 100.")",
        R"(event OnHostResponse 350 "REST" "350 Restarting at position 0.")",
        "event OnLogin 3000",
        "=",
        "= True",
        R"(event OnHostResponse 257 "MKD" "257 \"/pub\" directory created.")",
        R"(= "/pub")",
        R"(event OnHostResponse 250 "CWD" "250 \"/pub\" is the current directory.")",
        "=",
        R"(event OnHostResponse 257 "PWD" "257 \"/pub\" is the current directory.")",
        R"(= "/pub")",
        R"(event OnHostResponse 200 "NOOP" "200 I successfully did nothing'.")",
        "= 200",
        R"(& "200 I successfully did nothing'.")",
        R"(error 380 "Parameter is out of range.  A supplied value falls above or\nbelow the range of valid constant values.  Check the user\nguide for valid argument ranges for this method.")",
        R"(error 438 "Object doesn't support this property or method: Nothing")",
        R"(event OnHostResponse 550 "DELE" "550 No such file or directory.")",
        R"(event OnFTPError -2146824280 "Error: File action not taken\n\nHost Response: 550 No such file or directory.")",
        "=",
        R"(syntax "this is not a statement")",
        R"(event OnHostResponse 221 "QUIT" "221 Goodbye.")",
        "=",
    };
    QCOMPARE(lines, expected);
}

void tst_RavelScript::saveAndLoad()
{
    QTemporaryDir dir;
    const QString form = dir.filePath(QStringLiteral("form.txt"));
    QStringList out;
    const auto run = [&out](CRavelCtrl &ctrl, const QStringList &lines) {
        out.clear();
        RavelScript script(ctrl, [&out](const QString &line) { out << line; });
        for (const QString &line : lines)
            script.run(line);
        return out;
    };
    CRavelCtrl first;
    QCOMPARE(
        run(first, {QStringLiteral("set UserName \"kim\""), QStringLiteral("set Account \"acct\""),
                    QStringLiteral("save \"%1\"").arg(form)}),
        QStringList({"=", "=", "="}));
    // It holds the password.
    QCOMPARE(QFileInfo(form).permissions() &
                 (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
             QFile::Permissions());
    CRavelCtrl second;
    QCOMPARE(run(second, {QStringLiteral("load \"%1\"").arg(form), "get UserName", "get Account",
                          "get Port"}),
             QStringList({"=", "= \"kim\"", "= \"\"", "= 21"}));

    // A stored value the property would refuse takes its default, and the host is told.
    QFile file(form);
    QVERIFY(file.open(QIODevice::Append));
    file.write("Port=40000\r\nFileType=7\r\n");
    file.close();
    QCOMPARE(run(second, {QStringLiteral("load \"%1\"").arg(form), "get Port"}),
             QStringList({"= \"Port FileType\"", "= 21"}));

    const QStringList failed =
        run(second,
            {QStringLiteral("load \"%1\"").arg(dir.filePath("missing")),
             QStringLiteral("save \"%1\"").arg(dir.filePath("no/such/dir/f")), "load form.txt"});
    QCOMPARE(failed.size(), 3);
    QVERIFY(failed[0].startsWith("error 75 "));
    QVERIFY(failed[1].startsWith("error 75 "));
    QVERIFY(failed[2].startsWith("syntax "));
}

void tst_RavelScript::refusals_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("start");
    QTest::newRow("wait for ever") << "wait inf"
                                   << "syntax ";
    QTest::newRow("wait beyond a timer") << "wait 1e12"
                                         << "syntax ";
    QTest::newRow("number beyond 32 bits") << "set TimeOut 4294967326"
                                           << "error 380 ";
    QTest::newRow("negative beyond 32 bits") << "set FileType -4294967295"
                                             << "error 380 ";
    QTest::newRow("file over 1 MiB") << "load \"%1/big\""
                                     << "error 75 \"larger than";
    QTest::newRow("FIFO") << "load \"%1/fifo\""
                          << "error 75 \"not a regular file\"";
}

// Statements refused with their error line, without blocking or taking a wrapped value.
void tst_RavelScript::refusals()
{
    QFETCH(QString, statement);
    QFETCH(QString, start);
    QTemporaryDir dir;
    QFile big(dir.filePath(QStringLiteral("big")));
    QVERIFY(big.open(QIODevice::WriteOnly));
    QVERIFY(big.resize(RavelPropertyBag::MaxFileSize + 1));
    big.close();
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo"))).constData(), 0600),
             0);
    CRavelCtrl ctrl;
    QStringList out;
    RavelScript script(ctrl, [&out](const QString &line) { out << line; });
    script.run(statement.contains(QLatin1String("%1")) ? statement.arg(dir.path()) : statement);
    QCOMPARE(out.size(), 1);
    QVERIFY2(out.first().startsWith(start), qPrintable(out.first()));
    QCOMPARE(ctrl.TimeOut(), 30);
    QCOMPARE(ctrl.FileType(), 1);
}

QTEST_GUILESS_MAIN(tst_RavelScript)
#include "tst_RavelScript.moc"
