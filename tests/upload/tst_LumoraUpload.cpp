#include "project/ProjectFile.h"
#include "tests/support/FtpTestServer.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// `lumora upload` end to end against a real server: status lines, messages, exit status.
class tst_LumoraUpload : public QObject
{
    Q_OBJECT
private slots:
    void uploads();
    void failsWithStatusOne();
    void usageErrors_data();
    void usageErrors();

private:
    QString writeProject(QTemporaryDir &dir);
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
} // namespace

QString tst_LumoraUpload::writeProject(QTemporaryDir &dir)
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
    const QString project = dir.filePath("p.lwp");
    ProjectFile::writeFile(project, set);
    return project;
}

void tst_LumoraUpload::uploads()
{
    FtpTestServer server(FtpTestServer::Kind::Pyftpdlib);
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QTemporaryDir dir;
    QFile pw(dir.filePath("pw"));
    QVERIFY(pw.open(QIODevice::WriteOnly));
    pw.write(server.password() + "\n");
    pw.close();
    const Run run = lumora({"upload", "--project", writeProject(dir), "--host", "127.0.0.1",
                            "--port", QString::number(server.port()), "--user", server.user(),
                            "--password-file", pw.fileName(), "--path", "up", "--page",
                            dir.filePath("album.html"), "--passive", "--timeout", "20"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.contains("[Lumora Web Page FTP Upload] FTP Upload Complete.\nWeb Page: "
                              "/up/album.html\nCreated at: 127.0.0.1\n"),
             qPrintable(run.err));
    const QStringList lines = run.out.split('\n');
    QCOMPARE(lines.first(), QString("Connecting to: 127.0.0.1"));
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
}

void tst_LumoraUpload::usageErrors()
{
    QFETCH(QStringList, args);
    QCOMPARE(lumora(args).exitCode, 2);
}

QTEST_GUILESS_MAIN(tst_LumoraUpload)
#include "tst_LumoraUpload.moc"
