#include "project/SettingsStore.h"
#include "upload/FtpSiteMemory.h"
#include "upload/StatusTranscript.h"
#include "upload/UploadFlags.h"
#include "upload/UploadPlan.h"
#include "upload/UploadTally.h"

#include <QFile>
#include <QTest>

// The upload's rules that need no server: remembered sites, transcript, plan, flags.
class tst_UploadLogic : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void rememberOrder_data();
    void rememberOrder();
    void transcript();
    void normalisePath_data();
    void normalisePath();
    void planNames_data();
    void planNames();
    void flags_data();
    void flags();
    void serverTextShown_data();
    void serverTextShown();
    void connectFailure_data();
    void connectFailure();
    void incompleteMessage_data();
    void incompleteMessage();
};

void tst_UploadLogic::init()
{
    QFile::remove(SettingsStore().fileName());
}

void tst_UploadLogic::rememberOrder_data()
{
    QTest::addColumn<QStringList>("stored"); // URLs in slots 1..5 before
    QTest::addColumn<QString>("current");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("first run") << QStringList{} << "A" << QStringList{"A", "", "", "", ""};
    QTest::newRow("A then B then A")
        << QStringList{"B", "A", "", "", ""} << "A" << QStringList{"A", "B", "", "", ""};
    QTest::newRow("five remembered, slot 5 kept")
        << QStringList{"A", "B", "C", "D", "E"} << "A" << QStringList{"A", "B", "C", "D", "E"};
    QTest::newRow("new site pushes the others back")
        << QStringList{"A", "B", "C", "D", "E"} << "F" << QStringList{"F", "A", "B", "C", "E"};
}

void tst_UploadLogic::rememberOrder()
{
    QFETCH(QStringList, stored);
    QFETCH(QString, current);
    QFETCH(QStringList, after);
    SettingsStore store;
    FtpSiteMemory memory(store);
    for (int i = 0; i < stored.size(); ++i)
        memory.SaveFtpSite(i + 1, {stored[i], "user" + stored[i], "pw", "/p", "/f.html"});
    const FtpSiteMemory::Sites sites =
        memory.RememberFtpSite({current, "me", "secret", "/x/", "/web/a.html"});
    QStringList urls;
    for (const FtpSite &s : sites)
        urls << s.url;
    QCOMPARE(urls, after);
    QCOMPARE(sites[0], (FtpSite{current, "me", "secret", "/x/", "/web/a.html"}));
    if (after[1] == "B")
        QCOMPARE(sites[1].userName, QString("userB")); // whole rows move, not just URLs
    QCOMPARE(memory.LoadFtpSite(1), sites[0]);
}

void tst_UploadLogic::transcript()
{
    StatusTranscript t;
    QCOMPARE(t.text(), QString("FTP Operation Status\r\n"));
    t.clear();
    t.addLine("Connecting to: host");
    for (int i = 1; i <= 3; ++i)
        t.addProgressLine(StatusTranscript::progressLine(300, i * 100));
    QCOMPARE(t.text(), QString("FileSize: 300  Bytes Transferred: 300\r\n"
                               "FileSize: 300  Bytes Transferred: 200\r\n"
                               "FileSize: 300  Bytes Transferred: 100\r\n"
                               "Connecting to: host\r\n"));
    const QString longLine(40000, 'x');
    t.addLine(longLine);
    t.addLine(StatusTranscript::ftpErrorLine(-2146828288 + 12, "Timeout"));
    QVERIFY(t.text().size() > 40000); // only progress lines cut
    t.addProgressLine(StatusTranscript::progressLine(-1, 0));
    QCOMPARE(t.text().size(), 30000);
    QVERIFY(t.text().startsWith("FileSize: -1  Bytes Transferred: 0\r\nFTP Error: -2146828276:"));
    QCOMPARE(StatusTranscript::hostResponseLine(250, "CWD", "250 OK"),
             QString("Code:250 Command:CWD Response:250 OK"));
    QCOMPARE(StatusTranscript::loginLine(3000, "h"), QString("Connected to: h"));
    QCOMPARE(StatusTranscript::loginLine(3001, "h"), QString("Connect FAILED!"));
}

void tst_UploadLogic::normalisePath_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("normalised");
    QTest::addColumn<QStringList>("levels");
    QTest::newRow("empty") << ""
                           << "" << QStringList{};
    QTest::newRow("one level") << "Incoming"
                               << "/Incoming/" << QStringList{"Incoming"};
    QTest::newRow("two levels") << "Pictures/Vacation"
                                << "/Pictures/Vacation/" << QStringList{"Pictures", "Vacation"};
    QTest::newRow("already normal") << "/a/"
                                    << "/a/" << QStringList{"a"};
    QTest::newRow("double slash") << "a//b"
                                  << "/a//b/" << QStringList{"a", "", "b"};
    QTest::newRow("root") << "/"
                          << "/" << QStringList{};
}

void tst_UploadLogic::normalisePath()
{
    QFETCH(QString, typed);
    QFETCH(QString, normalised);
    QFETCH(QStringList, levels);
    QCOMPARE(UploadPlan::NormaliseTargetPath(typed), normalised);
    QCOMPARE(UploadPlan::DirectoryLevels(normalised), levels);
}

void tst_UploadLogic::planNames_data()
{
    QTest::addColumn<bool>("autoSpace");
    QTest::addColumn<QString>("pictureRemote");
    QTest::addColumn<QString>("backgroundRemote");
    QTest::newRow("auto space on") << true << "Beach_Days.jpg"
                                   << "my_bg.gif";
    QTest::newRow("auto space off") << false << "Beach Day's.jpg"
                                    << "my bg.gif";
}

void tst_UploadLogic::planNames()
{
    QFETCH(bool, autoSpace);
    QFETCH(QString, pictureRemote);
    QFETCH(QString, backgroundRemote);
    WorkingSet set;
    set.output = {"/old/", "my album"};
    set.style.mainBackground = "0080FF"; // a colour sends nothing
    set.style.linkBackground = "/pics/my bg.gif";
    set.style.backgroundSound = "  "; // blank sends nothing
    set.images.AddToImageList("/pics/Beach Day's.jpg");
    const UploadPlan plan = UploadPlan::make(set, "Incoming", "/web/my album.html", autoSpace);
    QCOMPARE(plan.targetPath, QString("/Incoming/"));
    QCOMPARE(plan.pages.size(), 3);
    QCOMPARE(plan.pages[1].localPath, QString("/web/my albumLink.html"));
    QCOMPARE(plan.pages[1].remoteName, QString("my albumLink.html")); // pages keep their names
    QCOMPARE(plan.extras.size(), 1);
    QCOMPARE(plan.extras[0].statusName, QString("my bg.gif"));
    QCOMPARE(plan.extras[0].remoteName, backgroundRemote);
    QCOMPARE(plan.pictures.size(), 1);
    QCOMPARE(plan.pictures[0].statusName, QString("/pics/Beach Day's.jpg"));
    QCOMPARE(plan.pictures[0].remoteName, pictureRemote);
}

void tst_UploadLogic::flags_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("dirReady");
    QTest::addColumn<bool>("fatal");
    QTest::newRow("250 CWD") << 250 << "CWD" << true << false;
    QTest::newRow("521 MKD") << 521 << "MKD" << true << false;
    QTest::newRow("550 MKD") << 550 << "MKD" << false << false;
    QTest::newRow("550 STOR") << 550 << "STOR" << false << false;
    QTest::newRow("530 STOR") << 530 << "STOR" << false << true;
    QTest::newRow("530 CWD") << 530 << "CWD" << false << false;
    QTest::newRow("553 cwd lower case") << 553 << "cwd" << false << true;
    QTest::newRow("421 CWD") << 421 << "CWD" << false << true;
    QTest::newRow("426 STOR") << 426 << "STOR" << false << true;
    QTest::newRow("226 STOR") << 226 << "STOR" << false << false;
    QTest::newRow("501 STOR") << 501 << "STOR" << false << false;
}

void tst_UploadLogic::flags()
{
    QFETCH(int, code);
    QFETCH(QString, command);
    QFETCH(bool, dirReady);
    QFETCH(bool, fatal);
    UploadFlags f;
    f.applyDirReady(code);
    f.applyFatal(code, command);
    QCOMPARE(f.dirReady, dirReady);
    QCOMPARE(f.fatalError, fatal);
    f.applyLogin(3000);
    QCOMPARE(f.login, UploadFlags::Login::LoggedIn);
    f.applyLogin(3001);
    QCOMPARE(f.login, UploadFlags::Login::Failed);
}

QTEST_GUILESS_MAIN(tst_UploadLogic)
#include "tst_UploadLogic.moc"

void tst_UploadLogic::serverTextShown_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain, tab kept") << "226 Stored\tok"
                                     << "226 Stored\tok";
    QTest::newRow("line breaks and escapes")
        << QString("220-a\r\n220 b\x1b[2J") << "220-a\\x0D\\x0A220 b\\x1B[2J";
    QTest::newRow("C1 control") << QString("x") + QChar(0x85) << "x\\x85";
    QTest::newRow("exactly the bound") << QString(512, 'a') << QString(512, 'a');
    QTest::newRow("cut") << QString(100000, 'a') << QString(511, 'a') + QChar(0x2026);
}

void tst_UploadLogic::serverTextShown()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(StatusTranscript::shown(text), shown);
}

void tst_UploadLogic::connectFailure_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("line");
    QTest::newRow("refused") << "h" << 3000 + 2003 << ""
                             << "h:21: Connection refused";
    QTest::newRow("no such host") << "h" << 3000 + 2001 << ""
                                  << "h:21: Host not found";
    QTest::newRow("silent") << "h" << 3000 + 2007 << ""
                            << "h:21: No answer within 60 s";
    // A host field that names its own port is shown as typed; a bare IPv6 address in brackets.
    QTest::newRow("URL") << "ftp://[::1]:2121/" << 3000 + 2003 << ""
                         << "ftp://[::1]:2121/: Connection refused";
    QTest::newRow("name and port") << "h:2121" << 3000 + 2003 << ""
                                   << "h:2121: Connection refused";
    QTest::newRow("IPv6 address") << "::1" << 3000 + 2003 << ""
                                  << "[::1]:21: Connection refused";
}

void tst_UploadLogic::connectFailure()
{
    QFETCH(QString, host);
    QFETCH(int, result);
    QFETCH(QString, reply);
    QFETCH(QString, line);
    QCOMPARE(StatusTranscript::connectFailureLine(host, 21, result, 60, reply), line);
}

void tst_UploadLogic::incompleteMessage_data()
{
    QTest::addColumn<int>("failed");
    QTest::addColumn<QString>("tail"); // the message after its count line
    QTest::newRow("ten, all named")
        << 10 << "f1\r\nf2\r\nf3\r\nf4\r\nf5\r\nf6\r\nf7\r\nf8\r\nf9\r\nf10";
    QTest::newRow("twelve")
        << 12 << "f1\r\nf2\r\nf3\r\nf4\r\nf5\r\nf6\r\nf7\r\nf8\r\nf9\r\nf10\r\nand 2 more";
}

void tst_UploadLogic::incompleteMessage()
{
    QFETCH(int, failed);
    QFETCH(QString, tail);
    UploadTally tally;
    tally.confirmed();
    for (int i = 1; i <= failed; ++i)
        tally.failed(QString("f%1").arg(i));
    QVERIFY(!tally.complete());
    QCOMPARE(tally.message(), QString("FTP Upload Incomplete!\r\n%1 of %2 files were not "
                                      "uploaded:\r\n")
                                      .arg(failed)
                                      .arg(failed + 1) +
                                  tail);
    QCOMPARE(
        tally.statusLine(),
        QString("FTP Upload Incomplete: %1 of %2 files not uploaded.").arg(failed).arg(failed + 1));
}
