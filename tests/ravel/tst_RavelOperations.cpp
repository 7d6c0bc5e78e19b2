#include "tests/ravel/RavelTestHost.h"
#include "tests/support/FtpTestServer.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The operations against a real server (pyftpdlib on loopback).
class tst_RavelOperations : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void session_data();
    void session();
    void transfers_data();
    void transfers();
    void restarts_data();
    void restarts();
    void listing_data();
    void listing();
    void sessionLog();

private:
    void modes();
    QString writeFile(const QString &name, qint64 size);
    static QByteArray digest(const QString &path);

    QTemporaryDir m_dir;
    QString m_big;
};

void tst_RavelOperations::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_big = writeFile(QStringLiteral("big.bin"), 50 * 1024 * 1024);
}

QString tst_RavelOperations::writeFile(const QString &name, qint64 size)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QByteArray block(1 << 20, '\0');
    quint32 seed = 12345;
    for (qint64 written = 0; written < size; written += block.size()) {
        for (char &c : block)
            c = char((seed = seed * 1103515245u + 12345u) >> 24);
        file.write(block.constData(), qMin<qint64>(block.size(), size - written));
    }
    return path;
}

QByteArray tst_RavelOperations::digest(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result();
}

void tst_RavelOperations::modes()
{
    QTest::addColumn<bool>("async");
    QTest::addColumn<bool>("passive");
    QTest::newRow("sync active") << false << false;
    QTest::newRow("sync passive") << false << true;
    QTest::newRow("async active") << true << false;
    QTest::newRow("async passive") << true << true;
}

void tst_RavelOperations::session_data()
{
    modes();
}

void tst_RavelOperations::session()
{
    QFETCH(bool, async);
    QFETCH(bool, passive);
    FtpTestServer server(FtpTestServer::Kind::Pyftpdlib);
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QDir(server.home()).mkpath(QStringLiteral("start/sub"));
    QFile::copy(QStringLiteral("/etc/hostname"), server.home() + QStringLiteral("/start/a.txt"));

    RavelTestHost host;
    host.put("InitDir", "start");
    host.put("Passive", passive);
    QVERIFY(host.login(server, async));
    QVERIFY(host.get("Connected").value.toBool());
    QVERIFY(host.get("RESTSupported").value.toBool());
    QCOMPARE(host.get("RemoteIPAddress").value.toString(), QStringLiteral("127.0.0.1"));
    QVERIFY(host.eventsNamed("OnFTPError").isEmpty());
    QCOMPARE(host.call("PWD").value.toString(), QStringLiteral("/start"));
    QCOMPARE(host.get("HostType").value.toInt(), int(CRavelCtrl::RAVEL_HOSTTYPE_UNIX));

    QCOMPARE(host.call("MKD", {"made"}).value.toString(), QStringLiteral("/start/made"));
    QVERIFY(QFileInfo(server.home() + QStringLiteral("/start/made")).isDir());
    QVERIFY(!host.call("CWD", {"sub"}).error);
    QCOMPARE(host.call("PWD").value.toString(), QStringLiteral("/start/sub"));
    QVERIFY(!host.call("CDUP").error);
    QVERIFY(host.waitUntilIdle());
    QCOMPARE(host.call("PWD").value.toString(), QStringLiteral("/start"));
    // An empty CWD goes back to the last directory changed to.
    QVERIFY(!host.call("CWD", {"sub"}).error);
    QVERIFY(!host.call("CDUP").error);
    QVERIFY(host.waitUntilIdle());
    QVERIFY(!host.call("CWD", {""}).error);
    QCOMPARE(host.call("PWD").value.toString(), QStringLiteral("/start/sub"));
    QVERIFY(!host.call("CDUP").error);
    QVERIFY(host.waitUntilIdle());

    QVERIFY(!host.call("RMD", {"made"}).error);
    QVERIFY(host.waitUntilIdle());
    QVERIFY(!QFileInfo::exists(server.home() + QStringLiteral("/start/made")));
    QVERIFY(host.call("CheckRemoteConnection").value.toBool());

    QCOMPARE(host.call("SIZE", {"a.txt"}).value.toLongLong(),
             QFileInfo(QStringLiteral("/etc/hostname")).size());
    QCOMPARE(host.call("SIZE", {"missing.txt"}).value.toLongLong(), 0);
    const QDateTime modified = host.call("MDTM", {"a.txt"}).value.toDateTime();
    QCOMPARE(
        modified.date(),
        QFileInfo(server.home() + QStringLiteral("/start/a.txt")).lastModified().toUTC().date());
    QCOMPARE(host.call("MDTM", {"missing.txt"}).value.toDateTime(),
             QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
    const RavelDispatch::Result quot = host.call("QUOT", {"SITE HELP", QString()});
    QCOMPARE(quot.value.toInt(), 214);
    QVERIFY(quot.references.value(0).toString().startsWith(QStringLiteral("214")));
    QVERIFY(host.events.last().contains(QStringLiteral(" SITE ")));

    QVERIFY(!host.call("RNFR", {"a.txt", "b.txt"}).error);
    QVERIFY(host.waitUntilIdle());
    QVERIFY(QFileInfo::exists(server.home() + QStringLiteral("/start/b.txt")));
    QVERIFY(!host.call("DELE", {"b.txt"}).error);
    QVERIFY(host.waitUntilIdle());
    QVERIFY(!QFileInfo::exists(server.home() + QStringLiteral("/start/b.txt")));

    QVERIFY(!host.call("QUIT").error);
    QVERIFY(host.waitForEvent("OnHostResponse 221 QUIT"));
    QVERIFY(!host.get("Connected").value.toBool());
    QVERIFY(!host.get("StillExecuting").value.toBool());
    QVERIFY(host.eventsNamed("OnFTPError").isEmpty());
}

void tst_RavelOperations::transfers_data()
{
    modes();
}

void tst_RavelOperations::transfers()
{
    QFETCH(bool, async);
    QFETCH(bool, passive);
    FtpTestServer server(FtpTestServer::Kind::Pyftpdlib);
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    RavelTestHost host;
    host.put("Passive", passive);
    QVERIFY(host.login(server, async));

    QVERIFY(!host.call("STOR", {m_big, "big.bin"}).error);
    if (async) {
        QVERIFY(host.waitForEvent("OnAsyncEvent", 2));
        QVERIFY(host.waitForEvent(QStringLiteral("OnAsyncEvent %1 %1 STOR true").arg(50 << 20)));
        // Progress comes before the end, though not for every chunk.
        const QStringList progress = host.eventsNamed("OnAsyncEvent");
        QVERIFY(progress.size() >= 2);
        QVERIFY(progress.size() < (50 << 20) / (256 << 10));
        QVERIFY(progress.first().endsWith(QLatin1String(" STOR false")));
    } else {
        QVERIFY(host.eventsNamed("OnAsyncEvent").isEmpty());
    }
    QVERIFY(!host.get("StillExecuting").value.toBool());
    QVERIFY(!host.get("xFerInProgress").value.toBool());
    QCOMPARE(host.get("LocalFile").value.toString(), m_big);
    QCOMPARE(host.get("RemoteFile").value.toString(), QStringLiteral("big.bin"));
    QCOMPARE(digest(server.home() + QStringLiteral("/big.bin")), digest(m_big));

    // An empty file is stored too.
    const QString empty = writeFile(QStringLiteral("empty.bin"), 0);
    QVERIFY(!host.call("STOR", {empty, "empty.bin"}).error);
    if (async)
        QVERIFY(host.waitForEvent("OnAsyncEvent 0 0 STOR true"));
    QVERIFY(QFileInfo::exists(server.home() + QStringLiteral("/empty.bin")));
    QVERIFY(host.eventsNamed("OnFTPError").isEmpty());

    // Names missing from the call come from the properties, and are written back. The
    // download's size is the server's, not the last upload's, from its first report on.
    host.events.clear();
    host.put("RemoteFile", "big.bin");
    const QString back = m_dir.filePath(QStringLiteral("back.bin"));
    QVERIFY(!host.call("RETR", {QVariant(), back}).error);
    if (async) {
        QVERIFY(host.waitForEvent(QStringLiteral("OnAsyncEvent %1 %1 RETR true").arg(50 << 20)));
        for (const QString &report : host.eventsNamed("OnAsyncEvent"))
            QVERIFY2(report.startsWith(QStringLiteral("OnAsyncEvent %1 ").arg(50 << 20)),
                     qPrintable(report));
    }
    QCOMPARE(digest(back), digest(m_big));
    QCOMPARE(host.get("LocalFile").value.toString(), back);
    QVERIFY(host.eventsNamed("OnFTPError").isEmpty());
    QFile::remove(back);
}

void tst_RavelOperations::restarts_data()
{
    QTest::addColumn<bool>("async");
    QTest::newRow("sync") << false;
    QTest::newRow("async") << true;
}

void tst_RavelOperations::restarts()
{
    QFETCH(bool, async);
    FtpTestServer server(FtpTestServer::Kind::Pyftpdlib);
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    const qint64 half = 20 * 1024 * 1024 + 17;
    QFile source(m_big);
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QByteArray head = source.read(half);
    // An upload and a download that stopped part-way.
    QFile remote(server.home() + QStringLiteral("/part.bin"));
    QVERIFY(remote.open(QIODevice::WriteOnly));
    remote.write(head);
    remote.close();
    QFile::copy(m_big, server.home() + QStringLiteral("/whole.bin"));
    const QString local = m_dir.filePath(QStringLiteral("part.local"));
    QFile partial(local);
    QVERIFY(partial.open(QIODevice::WriteOnly));
    partial.write(head);
    partial.close();

    RavelTestHost host;
    QVERIFY(host.login(server, async));
    // Without a count the upload goes on from the server's size.
    QVERIFY(!host.call("RESTSTOR", {m_big, "part.bin"}).error);
    QVERIFY(host.waitUntilIdle());
    if (async)
        QCOMPARE(host.eventsNamed("OnAsyncEvent").last(),
                 QStringLiteral("OnAsyncEvent %1 %1 RESTSTOR true").arg(50 << 20));
    QCOMPARE(digest(server.home() + QStringLiteral("/part.bin")), digest(m_big));

    // Without a count the download goes on from the local file's size.
    QVERIFY(!host.call("RESTRETR", {"whole.bin", local}).error);
    QVERIFY(host.waitUntilIdle());
    if (async)
        QVERIFY(host.eventsNamed("OnAsyncEvent").last().endsWith(QLatin1String("RESTRETR true")));
    QCOMPARE(digest(local), digest(m_big));

    // A file the server does not have has nothing to restart from.
    QCOMPARE(host.call("RESTSTOR", {m_big, "absent.bin"}).error->number(), 7003);
    QVERIFY(host.eventsNamed("OnFTPError").isEmpty());
}

void tst_RavelOperations::listing_data()
{
    restarts_data();
}

void tst_RavelOperations::listing()
{
    QFETCH(bool, async);
    FtpTestServer server(FtpTestServer::Kind::Pyftpdlib);
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    for (const char *name : {"one", "two", "three"})
        QFile::copy(QStringLiteral("/etc/hostname"), server.home() + QLatin1Char('/') + name);
    RavelTestHost host;
    QVERIFY(host.login(server, async));
    host.put("LongDirs", false);
    QVERIFY(!host.call("LIST").error);
    if (async) {
        QVERIFY(host.waitForEvent("OnDirList", 4));
        const QStringList lines = host.eventsNamed("OnDirList");
        QCOMPARE(lines.size(), 4);
        QStringList names;
        for (const QString &line : lines.mid(0, 3)) {
            QVERIFY(line.endsWith(QLatin1String(" false 0")));
            names << line.section(QLatin1Char(' '), 1, 1);
        }
        names.sort();
        QCOMPARE(names, QStringList({"one", "three", "two"}));
        QCOMPARE(lines.last(), QStringLiteral("OnDirList  true 0"));
    } else {
        const QStringList lines = host.eventsNamed("OnDirList");
        QCOMPARE(lines.size(), 1);
        for (const char *name : {"one", "two", "three"})
            QVERIFY(lines.first().contains(QLatin1String(name)));
        QVERIFY(lines.first().endsWith(QLatin1String(" true 0")));
    }
    QVERIFY(!host.get("StillExecuting").value.toBool());
}

void tst_RavelOperations::sessionLog()
{
    FtpTestServer server(FtpTestServer::Kind::Pyftpdlib);
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    RavelTestHost host;
    const QString log = m_dir.filePath(QStringLiteral("session.log"));
    host.put("LogFileName", log);
    host.put("LogToFile", true);
    QVERIFY(host.login(server, false));
    QVERIFY(host.call("CheckRemoteConnection").value.toBool());
    host.put("LogToFile", true); // already open: the file is kept
    host.put("LogToFile", false);
    QVERIFY(QFileInfo(log).size() > 0);
    QFile text(log);
    QVERIFY(text.open(QIODevice::ReadOnly));
    QVERIFY(text.readAll().contains("NOOP"));
    text.close();
    // On again: the file starts empty.
    host.put("LogToFile", true);
    QCOMPARE(QFileInfo(log).size(), 0);
    // A log that cannot be created is reported, and the property stays off.
    host.put("LogToFile", false);
    host.put("LogFileName", "/nonexistent/dir/x.log");
    host.put("LogToFile", true);
    QVERIFY(host.waitForEvent("OnFTPError"));
    QVERIFY(!host.get("LogToFile").value.toBool());
    // LocalClose ends the connection without a word to the server.
    QVERIFY(!host.call("LocalClose").error);
    QVERIFY(!host.get("Connected").value.toBool());
}

QTEST_GUILESS_MAIN(tst_RavelOperations)
#include "tst_RavelOperations.moc"
