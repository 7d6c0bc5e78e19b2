#include "project/ProjectFile.h"
#include "tests/support/FtpTestServer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// `lumora upload` end to end against a real server: status lines, messages, exit status.
class tst_LumoraUpload : public QObject
{
    Q_OBJECT
private slots:
    void uploads_data();
    void uploads();
    void failsWithStatusOne();
    void neverCompleteWithoutEveryFile_data();
    void neverCompleteWithoutEveryFile();
    void logAndRemember();
    void changedOnly();
    void connections_data();
    void connections();
    void usageErrors_data();
    void usageErrors();
    void security_data();
    void security();

private:
    // A project of one picture and its generated page; `pageBase` names the page in the
    // project, `missing` adds a picture that is not there.
    QString writeProject(QTemporaryDir &dir, const QString &pageBase = "album",
                         bool missing = false);
};

namespace {
struct Run
{
    int exitCode;
    QString out;
    QString err;
};

Run lumora(const QStringList &args)
{
    QProcess p;
    p.start(qEnvironmentVariable("LUMORA_BIN_DIR") + "/lumora", args);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// A file holding the server's password, for --password-file.
QString passwordFile(const QTemporaryDir &dir, const FtpTestServer &server)
{
    QFile pw(dir.filePath("pw"));
    if (pw.open(QIODevice::WriteOnly))
        pw.write(server.password());
    return pw.fileName();
}
} // namespace

QString tst_LumoraUpload::writeProject(QTemporaryDir &dir, const QString &pageBase, bool missing)
{
    WorkingSet set;
    QFile picture(dir.filePath("a b.jpg"));
    picture.open(QIODevice::WriteOnly);
    picture.write(QByteArray(3000, 'p'));
    picture.close();
    set.images.AddToImageList(picture.fileName());
    QFile page(dir.filePath("album.html"));
    page.open(QIODevice::WriteOnly);
    page.write("<HTML>\r\n");
    page.close();
    if (missing)
        set.images.AddToImageList(dir.filePath("gone.jpg"));
    set.paths.replace(RememberedPaths::GenHtml, page.fileName());
    set.output = {dir.path() + "/", pageBase};
    const QString project = dir.filePath("p.lwp");
    ProjectFile::writeFile(project, set);
    return project;
}

void tst_LumoraUpload::uploads_data()
{
    // %1: the server's port; a host without it gets --port.
    QTest::addColumn<QString>("host");
    QTest::addColumn<bool>("ipv6");
    QTest::newRow("IPv4 address") << "127.0.0.1" << false;
    QTest::newRow("ftp:// URL of an IPv6 address and port") << "ftp://[::1]:%1/" << true;
}

void tst_LumoraUpload::uploads()
{
    QFETCH(QString, host);
    QFETCH(bool, ipv6);
    if (ipv6 && !FtpTestServer::hasIpv6Loopback())
        QSKIP("no IPv6 loopback (::1) on this machine");
    FtpTestServer server(FtpTestServer::Kind::Pyftpdlib);
    server.setIpv6(ipv6);
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QTemporaryDir dir;
    const QString pw = passwordFile(dir, server);
    const bool portInHost = host.contains("%1");
    if (portInHost)
        host = host.arg(server.port());
    const QStringList port =
        portInHost ? QStringList() : QStringList{"--port", QString::number(server.port())};
    const Run run =
        lumora(QStringList{"upload", "--project", writeProject(dir), "--host", host, "--user",
                           server.user(), "--password-file", pw, "--path", "up", "--page",
                           dir.filePath("album.html"), "--passive", "--timeout", "20"} +
               port);
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.contains("[Lumora Web Page FTP Upload] FTP Upload Complete.\nWeb Page: "
                              "/up/album.html\nCreated at: " +
                              host + "\n"),
             qPrintable(run.err));
    const QStringList lines = run.out.split('\n');
    QCOMPARE(lines.first(), "Connecting to: " + host);
    QVERIFY(lines.contains("Executing FTP Transfer of " + dir.filePath("a b.jpg")));
    QCOMPARE(run.out.trimmed().section('\n', -1), QString("FTP Upload Complete."));
    QFile stored(server.home() + "/up/a_b.jpg");
    QVERIFY(stored.open(QIODevice::ReadOnly));
    QCOMPARE(stored.size(), 3000);
}

void tst_LumoraUpload::failsWithStatusOne()
{
    FtpTestServer server(FtpTestServer::Kind::Fake, "refuse-login");
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QTemporaryDir dir;
    const Run run =
        lumora({"upload", "--project", writeProject(dir), "--host", "127.0.0.1", "--port",
                QString::number(server.port()), "--page", dir.filePath("album.html")});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.out.contains("Connect FAILED!"));
    QVERIFY(run.err.contains("[Lumora Web Page Generator] FTP Connect Failed!"));
}

void tst_LumoraUpload::usageErrors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no host") << QStringList{"upload", "--project", "p.lwp"};
    QTest::newRow("port out of range")
        << QStringList{"upload", "--project", "p", "--host", "h", "--port", "40000"};
    QTest::newRow("unknown option") << QStringList{"upload", "--project", "p", "--frob"};
    for (const char *n : {"0", "9", "two"})
        QTest::addRow("--connections %s", n)
            << QStringList{"upload", "--project", "p", "--host", "h", "--connections", n};
}

void tst_LumoraUpload::usageErrors()
{
    QFETCH(QStringList, args);
    QCOMPARE(lumora(args).exitCode, 2);
}

void tst_LumoraUpload::neverCompleteWithoutEveryFile_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QString>("pageBase");
    QTest::addColumn<bool>("missing");
    QTest::addColumn<QString>("err"); // what standard error must hold
    QTest::addColumn<QString>("out"); // a status line that must be there
    const QString picture = "a b.jpg";
    // The page is the first STOR, the picture the second.
    QTest::newRow("picture refused")
        << "fault:550:2"
        << "album" << false << "FTP Upload Incomplete!\n1 of 2 files were not uploaded:\n%1/a b.jpg"
        << "Not uploaded: %1/a b.jpg: 550 Permission denied";
    QTest::newRow("passive port refused")
        << "pasv-refused"
        << "album" << false << "FTP Upload Incomplete!\n2 of 2 files were not uploaded:\nalbum.html"
        << "FTP Upload Incomplete: 2 of 2 files not uploaded.";
    QTest::newRow("227 without an address")
        << "bad-227"
        << "album" << false << "FTP Upload Incomplete!\n2 of 2 files were not uploaded:\nalbum.html"
        << "FTP Upload Incomplete: 2 of 2 files not uploaded.";
    QTest::newRow("picture missing locally")
        << "normal"
        << "album" << true << "FTP Upload Incomplete!\n1 of 3 files were not uploaded:\n%1/gone.jpg"
        << "Not uploaded: %1/gone.jpg: File not found";
    // Both strike at USER: the login is cut off at the time-out, never waited on for ever.
    QTest::newRow("1xx flood") << "flood-120"
                               << "album" << false << "FTP Connect Failed!\n127.0.0.1:"
                               << "Connect FAILED!";
    QTest::newRow("dripping multi-line reply")
        << "drip-multiline"
        << "album" << false << "FTP Connect Failed!\n127.0.0.1:"
        << "Connect FAILED!";
    QTest::newRow("page name climbing out")
        << "normal"
        << "../evil" << false << "[Lumora FTP Upload] Invalid Web Page Name: ../evil"
        << "";
}

void tst_LumoraUpload::neverCompleteWithoutEveryFile()
{
    QFETCH(QString, scenario);
    QFETCH(QString, pageBase);
    QFETCH(bool, missing);
    QFETCH(QString, err);
    QFETCH(QString, out);
    FtpTestServer server(FtpTestServer::Kind::Fake, scenario);
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QTemporaryDir dir;
    const int timeout = 5;
    QElapsedTimer clock;
    clock.start();
    const Run run = lumora({"upload", "--project", writeProject(dir, pageBase, missing), "--host",
                            "127.0.0.1", "--port", QString::number(server.port()), "--passive",
                            "--timeout", QString::number(timeout)});
    QVERIFY(clock.elapsed() < 3 * timeout * 1000);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(!(run.out + run.err).contains("FTP Upload Complete."), qPrintable(run.err));
    QVERIFY2(run.err.contains(err.arg(dir.path())), qPrintable(run.err));
    QVERIFY2(run.out.contains(out.arg(dir.path())), qPrintable(run.out));
    if (pageBase != "album")
        QVERIFY(!server.commands().join('\n').contains("STOR"));
}

void tst_LumoraUpload::logAndRemember()
{
    FtpTestServer server(FtpTestServer::Kind::Fake, "refuse-login");
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QTemporaryDir dir;
    const QString settings = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Lumora/Lumora.ini";
    QFile::remove(settings);
    const QString project = writeProject(dir);
    const QString log = dir.filePath("session.log");
    const QStringList args = {"upload",
                              "--project",
                              project,
                              "--host",
                              "127.0.0.1",
                              "--port",
                              QString::number(server.port())};
    // The desktop program's remembered sites stay as they are unless asked.
    const Run quiet = lumora(args + QStringList{"--log", log});
    QCOMPARE(quiet.exitCode, 1);
    QVERIFY2(quiet.err.contains("FTP Connect Failed!\n127.0.0.1:" + QString::number(server.port()) +
                                ": 530 Login incorrect."),
             qPrintable(quiet.err));
    QVERIFY(!QFile::exists(settings) ||
            !QSettings(settings, QSettings::IniFormat).contains("ftp/1FtpUrl"));
    QFile transcript(log);
    QVERIFY(transcript.open(QIODevice::ReadOnly));
    QVERIFY(transcript.readAll().startsWith("127.0.0.1:"));

    // Four programs remembering at once lose no site.
    QList<QProcess *> runs;
    for (int i = 1; i <= 4; ++i) {
        auto *p = new QProcess(this);
        p->start(qEnvironmentVariable("LUMORA_BIN_DIR") + "/lumora",
                 {"upload", "--project", project, "--host", QString("127.0.0.%1").arg(i + 1),
                  "--port", QString::number(FtpTestServer::freePort()), "--remember"});
        runs << p;
    }
    for (QProcess *p : runs)
        QVERIFY(p->waitForFinished(60000));
    QSettings stored(settings, QSettings::IniFormat);
    QStringList hosts;
    for (int slot = 1; slot <= 4; ++slot)
        hosts << stored.value(QString("ftp/%1FtpUrl").arg(slot)).toString();
    hosts.sort();
    QCOMPARE(hosts, (QStringList{"127.0.0.2", "127.0.0.3", "127.0.0.4", "127.0.0.5"}));
    qDeleteAll(runs);
}

void tst_LumoraUpload::changedOnly()
{
    FtpTestServer server(FtpTestServer::Kind::Pyftpdlib);
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QTemporaryDir dir;
    const QString pw = passwordFile(dir, server);
    const auto write = [&dir](const QString &name, char fill) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4000, fill));
    };
    WorkingSet set;
    for (const char *name : {"one.jpg", "two.jpg", "three.jpg"}) {
        write(name, name[1]);
        set.images.AddToImageList(dir.filePath(name));
    }
    write("album.html", 'h');
    set.paths.replace(RememberedPaths::GenHtml, dir.filePath("album.html"));
    set.output = {dir.path() + "/", "album"};
    const QString project = dir.filePath("p.lwp");
    ProjectFile::writeFile(project, set);
    // STORs and DELEs the server logged since the upload began.
    qsizetype before = 0;
    const auto upload = [&](const QStringList &extra) {
        before = server.log().size();
        return lumora(QStringList{"upload", "--project", project, "--host", "127.0.0.1", "--port",
                                  QString::number(server.port()), "--user", server.user(),
                                  "--password-file", pw, "--path", "up", "--passive",
                                  "--changed-only"} +
                      extra);
    };
    const auto sent = [&] {
        QStringList names;
        static const QRegularExpression done("(STOR|DELE) \\S*/up/(\\S+)");
        for (auto m = done.globalMatch(server.log().mid(before)); m.hasNext();) {
            const auto match = m.next();
            names << match.captured(1) + " " + match.captured(2);
        }
        names.sort();
        return names;
    };
    const QStringList everything = {"STOR .lumora-manifest", "STOR album.html", "STOR one.jpg",
                                    "STOR three.jpg", "STOR two.jpg"};

    QCOMPARE(upload({}).exitCode, 0);
    QTRY_COMPARE(sent(), everything);
    write("two.jpg", 'X');
    const Run again = upload({});
    QCOMPARE(again.exitCode, 0);
    QVERIFY2(again.out.contains("Unchanged: " + dir.filePath("one.jpg")), qPrintable(again.out));
    QVERIFY(again.out.contains("FTP Upload Complete."));
    QTRY_COMPARE(sent(), (QStringList{"STOR .lumora-manifest", "STOR two.jpg"}));

    // A manifest that is not one says nothing: everything goes again.
    QFile damaged(server.home() + "/up/.lumora-manifest");
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("lumora-manifest 1\nnot a line of one\n");
    damaged.close();
    QCOMPARE(upload({}).exitCode, 0);
    QTRY_COMPARE(sent(), everything);

    // Only what the last upload sent and the album dropped is deleted.
    QFile other(server.home() + "/up/not-ours.txt");
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.close();
    set.images.select(0);
    set.images.RemoveSelectedImages();
    ProjectFile::writeFile(project, set);
    QCOMPARE(upload({"--delete-removed"}).exitCode, 0);
    QTRY_COMPARE(sent(), (QStringList{"DELE one.jpg", "STOR .lumora-manifest"}));
    QVERIFY(!QFile::exists(server.home() + "/up/one.jpg"));
    QVERIFY(QFile::exists(server.home() + "/up/not-ours.txt"));
    QVERIFY(QFile::exists(server.home() + "/up/two.jpg"));
}

void tst_LumoraUpload::security_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("args"); // FP: the server's fingerprint, CA: its certificate
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");
    using K = FtpTestServer::Kind;
    const QString done = "FTP Upload Complete.";
    QTest::newRow("vsftpd demanding TLS, active")
        << int(K::VsftpdTls) << QStringList{"--tls", "require", "--fingerprint", "FP"} << 0 << done;
    QTest::newRow("vsftpd demanding TLS, passive")
        << int(K::VsftpdTls) << QStringList{"--fingerprint", "FP", "--passive"} << 0 << done;
    QTest::newRow("pyftpdlib TLS, CA file")
        << int(K::PyftpdlibTls) << QStringList{"--cafile", "CA"} << 0 << done;
    QTest::newRow("wrong fingerprint")
        << int(K::PyftpdlibTls) << QStringList{"--fingerprint", QString(64, '0')} << 1
        << "Run again with --fingerprint FP to trust it";
    QTest::newRow("TLS required, plain server") << int(K::Fake) << QStringList{"--tls", "require"}
                                                << 1 << "TLS required, but the server refused it";
    QTest::newRow("TLS if available, plain server")
        << int(K::Pyftpdlib) << QStringList() << 0
        << "TLS not offered by 127.0.0.1: using plain FTP";
}

// The album arrives whole in TLS, with the password never in the clear; a certificate is
// trusted only by the options; "required" ends before the password is sent.
void tst_LumoraUpload::security()
{
    QFETCH(int, kind);
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    FtpTestServer server{FtpTestServer::Kind(kind)};
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QTemporaryDir dir;
    const QString pw = passwordFile(dir, server);
    const QString colons = QString::fromLatin1(server.fingerprint().toUpper())
                               .replace(QRegularExpression("(..)(?!$)"), "\\1:");
    args.replaceInStrings(QRegularExpression("^FP$"), colons);
    args.replaceInStrings(QRegularExpression("^CA$"), server.certificateFile());
    said.replace("FP", QString::fromLatin1(server.fingerprint()));
    const Run run = lumora(QStringList{"upload", "--project", writeProject(dir), "--host",
                                       "127.0.0.1", "--port", QString::number(server.port()),
                                       "--user", server.user(), "--password-file", pw, "--page",
                                       dir.filePath("album.html"), "--timeout", "20"} +
                           args);
    QVERIFY2(run.exitCode == exitCode, qPrintable(run.out + run.err));
    QVERIFY2((run.out + run.err).contains(said), qPrintable(run.out + run.err));
    if (exitCode == 0) {
        QFile stored(server.home() + "/a_b.jpg");
        QVERIFY(stored.open(QIODevice::ReadOnly));
        QCOMPARE(stored.readAll(), QByteArray(3000, 'p'));
    }
    const QStringList commands = server.commands();
    if (kind == int(FtpTestServer::Kind::PyftpdlibTls) && exitCode == 0)
        QVERIFY2(commands.contains("TLS PASS") && !commands.contains("PLAIN PASS"),
                 qPrintable(commands.join(',')));
    if (kind == int(FtpTestServer::Kind::Fake))
        QVERIFY2(!commands.join(',').contains("USER"), qPrintable(commands.join(',')));
}

void tst_LumoraUpload::connections_data()
{
    QTest::addColumn<FtpTestServer::Kind>("kind");
    QTest::addColumn<QString>("scenario"); // of the fake server
    QTest::addColumn<QString>("said");
    QTest::newRow("four logins") << FtpTestServer::Kind::Pyftpdlib << ""
                                 << "Sending over 4 connections";
    QTest::newRow("four logins, TLS required") << FtpTestServer::Kind::PyftpdlibTls << ""
                                               << "Sending over 4 connections";
    // A server that does not chroot names the folder otherwise than the path as typed.
    QTest::newRow("four logins, vsftpd") << FtpTestServer::Kind::Vsftpd << ""
                                         << "Sending over 4 connections";
    QTest::newRow("second login refused")
        << FtpTestServer::Kind::Fake << "one-login"
        << "The server accepted 1 of 4 connections: going on with 1";
}

void tst_LumoraUpload::connections()
{
    QFETCH(FtpTestServer::Kind, kind);
    QFETCH(QString, scenario);
    QFETCH(QString, said);
    FtpTestServer server(kind, scenario);
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QTemporaryDir dir;
    const QString pw = passwordFile(dir, server);
    WorkingSet set;
    QStringList names = {"album.html"};
    for (int i = 0; i < 13; ++i) {
        names << QString("p%1.jpg").arg(i);
        QFile f(dir.filePath(names.last()));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(7000 * (i + 1), char('a' + i)));
        set.images.AddToImageList(f.fileName());
    }
    QFile page(dir.filePath("album.html"));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<HTML>\r\n");
    page.close();
    set.paths.replace(RememberedPaths::GenHtml, page.fileName());
    set.output = {dir.path() + "/", "album"};
    const QString project = dir.filePath("p.lwp");
    ProjectFile::writeFile(project, set);
    const bool tls = kind == FtpTestServer::Kind::PyftpdlibTls;
    const Run run = lumora(
        QStringList{"upload", "--project", project, "--host", "127.0.0.1", "--port",
                    QString::number(server.port()), "--user", server.user(), "--password-file", pw,
                    "--path", "up", "--passive", "--timeout", "20", "--connections", "4"} +
        (tls ? QStringList{"--tls", "require", "--cafile", server.certificateFile()}
             : QStringList()));
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.contains(said), qPrintable(run.out));
    QCOMPARE(run.out.trimmed().section('\n', -1), QString("FTP Upload Complete."));
    // Each file stored once, whichever connection sent it; the TLS server names no file.
    const auto stored = [&] {
        QStringList sent;
        static const QRegularExpression stor("STOR \\S*/up/(\\S+)");
        for (auto m = stor.globalMatch(server.log()); !tls && m.hasNext();)
            sent << m.next().captured(1);
        for (const QString &command : server.commands())
            if (command.startsWith("STOR ") || command == "TLS STOR")
                sent << command.section(' ', 1);
        sent.sort();
        return sent;
    };
    names.sort();
    if (kind != FtpTestServer::Kind::Vsftpd) // logs no names to its output
        QTRY_COMPARE(stored(), tls ? QStringList(names.size(), "STOR") : names);
    // The password went in TLS on every connection.
    QCOMPARE(server.commands().contains("PLAIN PASS"), false);
    for (const QString &name : names) {
        QFile local(dir.filePath(name));
        QFile remote(server.home() + "/up/" + name);
        QVERIFY(local.open(QIODevice::ReadOnly));
        QVERIFY2(kind == FtpTestServer::Kind::Fake ||
                     (remote.open(QIODevice::ReadOnly) && local.readAll() == remote.readAll()),
                 qPrintable(name));
    }
}

QTEST_GUILESS_MAIN(tst_LumoraUpload)
#include "tst_LumoraUpload.moc"
