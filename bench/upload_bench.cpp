// upload_bench: `lumora upload` of a 300-picture album (200 KB each) against curl storing the
// same files over one connection, both whole processes, both against vsftpd on loopback, in
// active and in passive mode. Medians of RUNS runs (default 5), alternating the two;
// PICTURES (default 300) changes the album's size.

#include "bench/BenchSupport.h"
#include "tests/support/FtpTestServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <optional>

using namespace BenchSupport;

namespace {

// curl's arguments that store every file of the flat folder `from` into the server's top
// folder, over one connection. (Into deeper folders curl 7.88 stalls a second before some
// passive data connections, which would measure curl, not us.)
QStringList curlUploads(const FtpTestServer &server, const QString &from)
{
    QStringList files;
    for (const QString &name : QDir(from).entryList(QDir::Files))
        files.append(from + QLatin1Char('/') + name);
    return {QStringLiteral("-T"),
            QLatin1Char('{') + files.join(QLatin1Char(',')) + QLatin1Char('}'),
            QStringLiteral("ftp://127.0.0.1:%1/").arg(server.port())};
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = std::max(1, qEnvironmentVariableIntValue("RUNS") ?: 5);
    QTemporaryDir work;
    // lumora's settings stay in this run's folder.
    qputenv("XDG_CONFIG_HOME", work.filePath(QStringLiteral("config")).toUtf8());
    const QString album = work.filePath(QStringLiteral("album"));
    const QString project =
        makeAlbum(album, std::max(1, qEnvironmentVariableIntValue("PICTURES") ?: 300), 200 * 1000);
    if (project.isEmpty())
        return 1;
    FtpTestServer server(FtpTestServer::Kind::Vsftpd);
    if (!startServer(server))
        return 1;
    const QString passwordFile = work.filePath(QStringLiteral("password"));
    QFile password(passwordFile);
    if (!password.open(QIODevice::WriteOnly) || password.write(server.password()) < 0)
        return 1;
    password.close();

    std::printf("%-8s %10s %8s %6s %7s\n", "mode", "lumora s", "curl s", "ratio", "files");
    int failures = 0;
    for (const bool passive : {false, true}) {
        QList<double> ours, theirs;
        qsizetype files = 0;
        for (int run = 0; run < runs; ++run) {
            const QString target = QStringLiteral("run%1/%2").arg(run).arg(passive);
            QStringList args{QStringLiteral("upload"),
                             QStringLiteral("--project"),
                             project,
                             QStringLiteral("--host"),
                             QStringLiteral("127.0.0.1"),
                             QStringLiteral("--port"),
                             QString::number(server.port()),
                             QStringLiteral("--password-file"),
                             passwordFile,
                             QStringLiteral("--page"),
                             album + QLatin1String("/album.html"),
                             QStringLiteral("--path"),
                             target + QLatin1String("/lumora")};
            if (passive)
                args << QStringLiteral("--passive");
            double seconds = 0;
            if (!runTool("lumora", args, &seconds)) {
                ++failures;
                continue;
            }
            ours.append(seconds);
            // curl sends exactly what lumora left on the server.
            const QString sent =
                server.home() + QLatin1Char('/') + target + QLatin1String("/lumora");
            files = QDir(sent).entryList(QDir::Files).size();
            theirs.append(runCurl(curlMode(server, passive) << curlUploads(server, sent)));
        }
        if (ours.isEmpty())
            continue;
        std::printf("%-8s %10.3f %8.3f %6.2f %7lld\n", passive ? "passive" : "active", median(ours),
                    median(theirs), median(ours) / median(theirs), static_cast<long long>(files));
    }
    if (failures)
        std::fprintf(stderr, "%d uploads failed\n", failures);
    return failures ? 1 : 0;
}
