#include "generator/AlbumGenerator.h"
#include "generator/GalleryWriter.h"
#include "project/SettingsStore.h"
#include "ravel/CRavelCtrl.h"
#include "ravel/RavelDispatch.h"
#include "tests/support/FtpTestServer.h"
#include "tests/support/ScriptedDialogs.h"
#include "upload/CertificateTrust.h"
#include "upload/UploadFields.h"
#include "upload/UploadJob.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>
#include <sys/stat.h>

namespace {
class TestFields : public UploadFields
{
public:
    FtpSite fields;
    FtpSiteMemory::Sites shown{};
    FtpSite site() const override { return fields; }
    void setUrlPath(const QString &path) override { fields.urlPath = path; }
    void showSites(const FtpSiteMemory::Sites &sites) override { shown = sites; }
};

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
} // namespace

// The upload job against a real server, and against a scripted one for refusals.
class tst_UploadJob : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void uploadsTheAlbum_data();
    void uploadsTheAlbum();
    void refusals_data();
    void refusals();
    void missingFields_data();
    void missingFields();
    void cancels_data();
    void cancels();
    void localFilesThatCannotBeSent();
    void uploadsAGallery();
    void certificateTrust();
    void spreadOverConnections_data();
    void spreadOverConnections();

private:
    // Makes pictures, backgrounds and a sound and generates `layout` into the album folder.
    void makeAlbum(const QString &layout, bool autoSpace = true);
    UploadJob::Outcome runJob(FtpTestServer &server, const QString &path, bool autoSpace = true,
                              int connections = 1);

    std::unique_ptr<QTemporaryDir> m_local;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<CRavelCtrl> m_ravel;
    std::unique_ptr<UploadJob> m_job;
    TestFields m_fields;
    WorkingSet m_set;
    QStringList m_lines;
    QList<bool> m_enabled;
};

void tst_UploadJob::init()
{
    QFile::remove(SettingsStore().fileName());
    m_local = std::make_unique<QTemporaryDir>();
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_store = std::make_unique<SettingsStore>();
    m_ravel = std::make_unique<CRavelCtrl>();
    UploadJob::ConfigureComponent(*m_ravel);
    RavelDispatch::invoke(*m_ravel, "TimeOut", RavelDispatch::Kind::Put, {10});
    m_job = std::make_unique<UploadJob>(*m_ravel, m_fields, *m_dialogs, *m_store);
    m_lines.clear();
    m_enabled.clear();
    connect(m_job.get(), &UploadJob::statusLine, [this](const QString &l) { m_lines << l; });
    connect(m_job.get(), &UploadJob::controlsEnabled, [this](bool on) { m_enabled << on; });
    m_set = WorkingSet();
    m_fields = TestFields();
}

void tst_UploadJob::cleanup()
{
    m_job.reset();
    m_ravel.reset();
}

void tst_UploadJob::makeAlbum(const QString &layout, bool autoSpace)
{
    const QString dir = m_local->path() + "/";
    const auto write = [&dir](const char *name, const QByteArray &bytes) {
        QFile f(dir + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    for (const char *name : {"beach day's.jpg", "hills.jpg"}) {
        write(name, QByteArray(5000, name[0]));
        m_set.images.AddToImageList(dir + name);
    }
    write("my bg.gif", "GIF89a main");
    write("side bg.gif", "GIF89a side");
    write("tune one.mid", "MThd");
    m_set.style.mainBackground = dir + "my bg.gif";
    m_set.style.mainBackgroundIsColor = false;
    m_set.style.linkBackground = dir + "side bg.gif";
    m_set.style.linkBackgroundIsColor = false;
    m_set.style.backgroundSound = dir + "tune one.mid";
    ScriptedDialogs generating;
    generating.fileName(dir + "album.html");
    QCOMPARE(AlbumGenerator(generating)
                 .GenerateWebPage(layout, {m_set.style, m_set.images.entries(), autoSpace},
                                  m_set.paths, m_set.output),
             AlbumGenerator::Outcome::Completed);
}

UploadJob::Outcome tst_UploadJob::runJob(FtpTestServer &server, const QString &path, bool autoSpace,
                                         int connections)
{
    RavelDispatch::invoke(*m_ravel, "Port", RavelDispatch::Kind::Put, {int(server.port())});
    m_fields.fields = {QString::fromLatin1(server.host()), QString::fromLatin1(server.user()),
                       QString::fromLatin1(server.password()), path, m_set.output.mainPagePath()};
    m_fields.fields.connections = connections;
    return m_job->run(m_set, [autoSpace] { return autoSpace; });
}

void tst_UploadJob::uploadsTheAlbum_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<bool>("autoSpace");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder"); // where the files land below the server's home
    for (const char *layout : {"frame", "framethumb", "thumb", "lrscroll", "udscroll"}) {
        QTest::addRow("%s, web-safe names, new folders", layout)
            << layout << true << "Pictures/Vacation"
            << "Pictures/Vacation/";
        QTest::addRow("%s, own names, login folder", layout) << layout << false << ""
                                                             << "";
    }
}

void tst_UploadJob::uploadsTheAlbum()
{
    QFETCH(QString, layout);
    QFETCH(bool, autoSpace);
    QFETCH(QString, path);
    QFETCH(QString, folder);
    FtpTestServer server(FtpTestServer::Kind::Pyftpdlib);
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    makeAlbum(layout, autoSpace);
    QCOMPARE(runJob(server, path, autoSpace), UploadJob::Outcome::Completed);

    // Exactly the album's files, byte for byte, under the names the pages use.
    const QString remote = server.home() + "/" + folder;
    const QString local = m_local->path() + "/";
    // The single-page layouts write no link or display page, so there is none to send.
    QStringList expected;
    for (const char *page : {"album.html", "albumLink.html", "albumMain.html"}) {
        if (QFile::exists(local + page))
            expected.append(page);
    }
    QMap<QString, QString> sources; // remote name to local name
    for (const char *name :
         {"beach day's.jpg", "hills.jpg", "my bg.gif", "side bg.gif", "tune one.mid"})
        sources[AlbumGenerator::WebNameOf(local + name, autoSpace)] = name;
    for (const QString &name : expected)
        sources[name] = name;
    QStringList stored = QDir(remote).entryList(QDir::Files);
    QStringList names = sources.keys();
    stored.sort();
    names.sort();
    QCOMPARE(stored, names);
    for (auto it = sources.cbegin(); it != sources.cend(); ++it)
        QCOMPARE(contents(remote + it.key()), contents(local + it.value()));
    QVERIFY(autoSpace == stored.contains("beach_days.jpg"));

    // Every page's links, pictures, backgrounds and sound are found on the server.
    if (autoSpace) {
        static const QRegularExpression reference(
            R"re((?:SRC|HREF|BACKGROUND)\s*=\s*(?:'([^']*)'|"([^"]*)"|([^\s>'"]+)))re",
            QRegularExpression::CaseInsensitiveOption);
        int checked = 0;
        for (const QString &page : expected) {
            const QString html = QString::fromUtf8(contents(remote + page));
            for (auto match = reference.globalMatch(html); match.hasNext();) {
                const QRegularExpressionMatch m = match.next();
                const QString target = m.captured(1) + m.captured(2) + m.captured(3);
                if (target.contains("://") || target.startsWith('#'))
                    continue;
                QVERIFY2(QFile::exists(remote + target), qPrintable(page + ": " + target));
                ++checked;
            }
        }
        QVERIFY(checked >= 4);
    }

    const QString target = path.isEmpty() ? QString() : "/" + path + "/";
    QCOMPARE(m_fields.fields.urlPath, target);
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->lastText(),
             "FTP Upload Complete.\r\nWeb Page: " + target + "album.html\r\nCreated at: 127.0.0.1");
    QCOMPARE(m_dialogs->messages[0].title, QString("Lumora Web Page FTP Upload"));
    QCOMPARE(m_enabled, (QList<bool>{false, true}));
    QCOMPARE(m_lines.first(), QString("Connecting to: 127.0.0.1"));
    QVERIFY(m_lines.contains("Connected to: 127.0.0.1"));
    QVERIFY(m_lines.contains("Executing FTP Transfer of albumLink.html"));
    QVERIFY(m_lines.contains("Executing FTP Transfer of " + local + "beach day's.jpg"));
    QCOMPARE(m_lines.last(), QString("FTP Upload Complete."));
    QCOMPARE(m_fields.shown[0].url, QString("127.0.0.1"));
    QCOMPARE(m_job->status().text().section("\r\n", 0, 0), QString("FTP Upload Complete."));
}

void tst_UploadJob::refusals_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QString>("path");
    QTest::addColumn<UploadJob::Outcome>("outcome");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("pictureTransfers"); // at most this many pictures tried
    QTest::addColumn<QString>("sentLine");     // the pictures that arrived, when it failed

    QTest::newRow("login refused")
        << "refuse-login"
        << "" << UploadJob::Outcome::Failed
        << QStringList{"FTP Connect Failed!\r\n127.0.0.1:PORT: 530 Login incorrect."} << 0 << "";
    QTest::newRow("every CWD refused")
        << "cwd-550"
        << "web" << UploadJob::Outcome::Cancelled
        << QStringList{"Create Directory /web/ Failed!\r\nSee the FTP Log for details.",
                       "FTP Upload Cancelled."}
        << 0 << "";
    QTest::newRow("existing folders are fine")
        << "mkd-550"
        << "a/b" << UploadJob::Outcome::Completed
        << QStringList{"FTP Upload Complete.\r\nWeb Page: /a/b/album.html\r\nCreated at: "
                       "127.0.0.1"}
        << 2 << "";
    // Going on would store nothing and still end in "FTP Upload Complete.". The loss is
    // known when the transfer ends, so no picture is tried after it.
    QTest::newRow("connection dropped during a transfer")
        << "fault:drop:4"
        << "" << UploadJob::Outcome::Cancelled
        << QStringList{"Fatal FTP Error occurred!\r\nSee the FTP Log for details.",
                       "FTP Upload Cancelled."}
        << 0 << "0 of 2 pictures uploaded.";
    // Three pages, two backgrounds and the sound go first.
    QTest::newRow("connection dropped at the second picture")
        << "fault:drop:8"
        << "" << UploadJob::Outcome::Cancelled
        << QStringList{"Fatal FTP Error occurred!\r\nSee the FTP Log for details.",
                       "FTP Upload Cancelled."}
        << 2 << "1 of 2 pictures uploaded.";
    QTest::newRow("companion page refused")
        << "fault:550:2"
        << "" << UploadJob::Outcome::Incomplete
        << QStringList{"FTP Upload Incomplete!\r\n1 of 8 files were not uploaded:\r\n"
                       "albumLink.html"}
        << 2 << "Not uploaded: albumLink.html: 550 Permission denied";
    QTest::newRow("STOR refused as not logged in")
        << "stor-530"
        << "" << UploadJob::Outcome::Cancelled
        << QStringList{"Fatal FTP Error Occurred!\r\nSee the FTP Log for details.",
                       "FTP Upload Cancelled."}
        << 0 << "";
}

void tst_UploadJob::refusals()
{
    QFETCH(QString, scenario);
    QFETCH(QString, path);
    QFETCH(UploadJob::Outcome, outcome);
    QFETCH(QStringList, messages);
    QFETCH(int, pictureTransfers);
    QFETCH(QString, sentLine);
    FtpTestServer server(FtpTestServer::Kind::Fake, scenario);
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    makeAlbum("frame");
    QCOMPARE(runJob(server, path), outcome);
    QStringList shown;
    for (const auto &m : m_dialogs->messages)
        shown << m.text;
    messages.replaceInStrings("PORT", QString::number(server.port()));
    QVERIFY2(shown == messages, qPrintable(shown.join('|') + "\n" + m_lines.join('\n')));
    QVERIFY(m_lines.filter("Executing FTP Transfer of " + m_local->path()).size() <=
            pictureTransfers);
    QCOMPARE(m_enabled.last(), true);
    QVERIFY(!m_job->running());
    if (!sentLine.isEmpty())
        QVERIFY2(m_lines.contains(sentLine), qPrintable(m_lines.join('\n')));
    QCOMPARE(m_lines.contains("FTP Upload Complete."), outcome == UploadJob::Outcome::Completed);
}

void tst_UploadJob::missingFields_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("message");
    QTest::newRow("no URL") << ""
                            << "/x.html"
                            << "An FTP URL must be entered.";
    QTest::newRow("no page") << "h"
                             << ""
                             << "You must Generate an HTML File to Upload.\r\nThe Generated file "
                                "path will be displayed in the (Uploading:) Text Box.";
}

void tst_UploadJob::missingFields()
{
    QFETCH(QString, url);
    QFETCH(QString, page);
    QFETCH(QString, message);
    m_fields.fields = {url, "u", "p", "dir", page};
    QCOMPARE(m_job->run(m_set, [] { return true; }), UploadJob::Outcome::Refused);
    QCOMPARE(m_dialogs->lastText(), message);
    QCOMPARE(m_dialogs->messages[0].icon, Dialogs::Icon::Critical);
    QVERIFY(m_enabled.isEmpty());
    QVERIFY(m_lines.isEmpty());
    QCOMPARE(m_fields.fields.urlPath, QString("dir")); // nothing normalised yet
}

void tst_UploadJob::cancels_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("trigger");  // the status line that the Cancel click follows
    QTest::addColumn<int>("storesBefore"); // the server saw no more STORs than this
    QTest::newRow("login wait") << "silent-login"
                                << ""
                                << "Connecting to: 127.0.0.1" << 0;
    QTest::newRow("folder creation") << "normal"
                                     << "a/b/c"
                                     << "Code:257 Command:MKD Response:257 \"a\" created" << 0;
    QTest::newRow("between files") << "normal"
                                   << ""
                                   << "Code:226 Command:STOR Response:226 Stored" << 1;
    // The first picture's transfer never ends by itself.
    QTest::newRow("during a transfer") << "fault:silent:7"
                                       << ""
                                       << "Executing FTP Transfer of %1/beach day's.jpg" << 7;
}

void tst_UploadJob::cancels()
{
    QFETCH(QString, scenario);
    QFETCH(QString, path);
    QFETCH(QString, trigger);
    QFETCH(int, storesBefore);
    FtpTestServer server(FtpTestServer::Kind::Fake, scenario);
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    makeAlbum("frame");
    UploadJob::Outcome second = UploadJob::Outcome::Completed;
    bool clicked = false;
    connect(m_job.get(), &UploadJob::statusLine, this, [&](const QString &line) {
        if (clicked || line != QString(trigger).replace("%1", m_local->path()))
            return;
        clicked = true;
        // As the Cancel button does: from the event loop the job is waiting in.
        QTimer::singleShot(0, m_job.get(), [&] {
            m_job->CancelUpload();
            // Begin is still disabled, and a job started anyway does not run inside this one.
            second = m_job->run(m_set, [] { return true; });
        });
    });
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(runJob(server, path), UploadJob::Outcome::Cancelled);
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(clicked);
    QCOMPARE(second, UploadJob::Outcome::Refused);
    QCOMPARE(m_enabled, (QList<bool>{false, true}));
    QCOMPARE(m_dialogs->messages.last().text, QString("FTP Upload Cancelled."));
    QVERIFY(!m_lines.contains("FTP Upload Complete."));
    for (const auto &message : m_dialogs->messages)
        QVERIFY2(!message.text.contains(QRegularExpression("^\\d+ - ")), qPrintable(message.text));
    QVERIFY(server.commands().filter(QRegularExpression("^STOR")).size() <= storesBefore);
}

void tst_UploadJob::localFilesThatCannotBeSent()
{
    FtpTestServer server(FtpTestServer::Kind::Fake, "normal");
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    makeAlbum("thumb");
    const QString dir = m_local->path() + "/";
    QVERIFY(QDir().mkdir(dir + "folder.jpg"));
    QCOMPARE(::mkfifo(QFile::encodeName(dir + "fifo.jpg").constData(), 0600), 0);
    const QStringList odd = {dir + "folder.jpg", dir + "fifo.jpg", "/dev/zero", dir + "gone.jpg"};
    for (const QString &path : odd)
        m_set.images.AddToImageList(path);
    // A FIFO or device read would never end: the job must not wait on one.
    QCOMPARE(runJob(server, ""), UploadJob::Outcome::Incomplete);
    for (const char *line :
         {"Not uploaded: %1folder.jpg: Is a folder", "Not uploaded: %1fifo.jpg: Not a regular file",
          "Not uploaded: /dev/zero: Not a regular file",
          "Not uploaded: %1gone.jpg: File not found"})
        QVERIFY2(m_lines.contains(QString(line).replace("%1", dir)), qPrintable(line));
    QVERIFY(m_dialogs->lastText().startsWith(
        "FTP Upload Incomplete!\r\n4 of 10 files were not uploaded:\r\n" + dir + "folder.jpg"));
    QCOMPARE(m_lines.last(), QString("FTP Upload Incomplete: 4 of 10 files not uploaded."));
}

void tst_UploadJob::uploadsAGallery()
{
    FtpTestServer server(FtpTestServer::Kind::Pyftpdlib);
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(m_local->filePath("cache")));
    for (const char *name : {"sea side.jpg", "hill.jpg"}) {
        QImage picture(640, 480, QImage::Format_RGB32);
        picture.fill(QColor(name[0], 120, 40));
        QVERIFY(picture.save(m_local->filePath(name)));
        m_set.images.AddToImageList(m_local->filePath(name));
    }
    ScriptedDialogs generating;
    generating.fileName(m_local->filePath("album.html"));
    QCOMPARE(AlbumGenerator(generating)
                 .GenerateWebPage("gallery", {m_set.style, m_set.images.entries(), true},
                                  m_set.paths, m_set.output),
             AlbumGenerator::Outcome::Completed);
    const QList<GallerySiteFile> site = GalleryWriter::SiteFiles(m_local->path() + "/", "album");
    QVERIFY(site.size() >= 7); // two pictures in three sizes, pages
    QCOMPARE(runJob(server, "web/site"), UploadJob::Outcome::Completed);
    for (const GallerySiteFile &file : site)
        QCOMPARE(contents(server.home() + "/web/site/" + file.remotePath),
                 contents(file.localPath));
    QCOMPARE(m_lines.filter("Executing FTP Transfer of ").size(), site.size());
    QVERIFY(m_lines.contains("Executing FTP Transfer of album_img/sea_side-400.jpg"));
}

// The window's side of a certificate that does not verify: "always" remembers it for the
// host; another certificate on the same host later is refused, naming both, until accepted.
void tst_UploadJob::certificateTrust()
{
    FtpTestServer first(FtpTestServer::Kind::PyftpdlibTls);
    FtpTestServer second(FtpTestServer::Kind::PyftpdlibTls);
    QVERIFY2(first.start(), qPrintable(first.errorString()));
    QVERIFY2(second.start(), qPrintable(second.errorString()));
    makeAlbum("thumb");
    const QString firstShown = CertificateTrust::shown(QString::fromLatin1(first.fingerprint()));
    const QString secondShown = CertificateTrust::shown(QString::fromLatin1(second.fingerprint()));
    const auto questions = [this] {
        QStringList asked;
        for (const ScriptedDialogs::Message &m : std::as_const(m_dialogs->messages)) {
            // Fingerprints are broken over two lines.
            if (m.title == QLatin1String("Untrusted Certificate"))
                asked << QString(m.text).remove(QRegularExpression("\\s"));
        }
        return asked;
    };

    m_dialogs->trust(Dialogs::Trust::Always);
    QCOMPARE(runJob(first, "a"), UploadJob::Outcome::Completed);
    QCOMPARE(questions().size(), 1);
    QVERIFY2(questions().last().contains(firstShown), qPrintable(questions().last()));
    QVERIFY(!questions().last().contains("haschanged"));
    QCOMPARE(runJob(first, "b"), UploadJob::Outcome::Completed);
    QCOMPARE(questions().size(), 1);

    m_dialogs->trust(Dialogs::Trust::Cancel);
    QCOMPARE(runJob(second, "c"), UploadJob::Outcome::Failed);
    const QString warning = questions().last();
    QVERIFY2(warning.contains("haschanged") && warning.contains(firstShown) &&
                 warning.contains(secondShown),
             qPrintable(warning));
    QVERIFY(!QFileInfo::exists(second.home() + "/c"));
    m_dialogs->trust(Dialogs::Trust::ThisTime);
    QCOMPARE(runJob(second, "d"), UploadJob::Outcome::Completed);
    QCOMPARE(contents(second.home() + "/d/hills.jpg"), QByteArray(5000, 'h'));
    QCOMPARE(CertificateTrust(*m_store).fingerprint("127.0.0.1"),
             QString::fromLatin1(first.fingerprint()));
}

void tst_UploadJob::spreadOverConnections_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<bool>("cancel"); // clicked once the sixth file started
    QTest::addColumn<UploadJob::Outcome>("outcome");
    QTest::addColumn<QString>("message"); // how the first message starts
    QTest::newRow("every file arrives")
        << "sessions:normal" << false << UploadJob::Outcome::Completed << "FTP Upload Complete.";
    // Whichever connection meets it: that one is gone, and the job ends the others.
    QTest::newRow("a connection lost")
        << "sessions:fault:421:4" << false << UploadJob::Outcome::Cancelled
        << "Fatal FTP Error occurred!\r\nSee the FTP Log";
    QTest::newRow("a file refused")
        << "sessions:fault:550:4" << false << UploadJob::Outcome::Incomplete
        << "FTP Upload Incomplete!\r\n1 of 8 files were not uploaded:";
    // The third transfer never ends: only Cancel ends the job, every connection with it.
    QTest::newRow("cancelled") << "sessions:fault:silent:3" << true << UploadJob::Outcome::Cancelled
                               << "FTP Upload Cancelled.";
}

void tst_UploadJob::spreadOverConnections()
{
    QFETCH(QString, scenario);
    QFETCH(bool, cancel);
    QFETCH(UploadJob::Outcome, outcome);
    QFETCH(QString, message);
    FtpTestServer server(FtpTestServer::Kind::Fake, scenario);
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    makeAlbum("frame");
    connect(m_job.get(), &UploadJob::statusLine, this, [this, cancel](const QString &line) {
        if (cancel && line == "Executing FTP Transfer of tune one.mid")
            QTimer::singleShot(0, m_job.get(), [this] { m_job->CancelUpload(); });
    });
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(runJob(server, "web", true, 3), outcome);
    // Never held until a silent transfer times out.
    QVERIFY(clock.elapsed() < 5000);
    QVERIFY2(m_dialogs->messages[0].text.startsWith(message), qPrintable(m_lines.join('\n')));
    QCOMPARE(m_enabled, (QList<bool>{false, true}));
    QVERIFY(!m_job->running());
    QCOMPARE(m_lines.contains("FTP Upload Complete."), outcome == UploadJob::Outcome::Completed);
    if (outcome != UploadJob::Outcome::Completed)
        return;
    QVERIFY(m_lines.contains("Sending over 3 connections"));
    // Made once, entered by every connection, each file stored once.
    QTRY_COMPARE(server.commands().filter("STOR ").size(), 8);
    QStringList stored = server.commands().filter("STOR ");
    stored.removeDuplicates();
    QCOMPARE(stored.size(), 8);
    QCOMPARE(server.commands().filter("MKD ").size(), 1);
    QCOMPARE(server.commands().filter(QRegularExpression("^CWD /web/$")).size(), 3);
}

QTEST_GUILESS_MAIN(tst_UploadJob)
#include "tst_UploadJob.moc"
