// upload_bench: `lumora upload` of a 300-picture album (200 KB each) against curl storing the
// same files over one connection, both whole processes, both against vsftpd on loopback, in
// active and in passive mode, each run into a fresh folder that the client creates. Medians
// of RUNS runs (at least 5) with their least and greatest, alternating the two; PICTURES
// (default 300) changes the album's size. A curl run that stalls a second before a data
// connection is run again into another fresh folder, and counted; the machine's load is
// printed at start and end.

#include "bench/BenchSupport.h"
#include "tests/support/FtpTestServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <optional>

using namespace BenchSupport;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = std::max(5, qEnvironmentVariableIntValue("RUNS"));
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

    std::printf("load average at start: %s\n", qPrintable(loadAverage()));
    std::printf("%-8s %-22s %-22s %6s %7s %8s\n", "mode", "lumora s [min-max]", "curl s [min-max]",
                "ratio", "files", "excluded");
    int failures = 0;
    for (const bool passive : {false, true}) {
        QList<double> ours, theirs;
        qsizetype files = 0;
        int excluded = 0;
        for (int run = 0; run < runs; ++run) {
            const QString target = QStringLiteral("run%1/%2").arg(run).arg(passive);
            double seconds = 0;
            if (!runTool("lumora",
                         uploadArguments(project, album, server.port(),
                                         target + QLatin1String("/lumora"), passive),
                         &seconds)) {
                ++failures;
                continue;
            }
            ours.append(seconds);
            // curl sends exactly what lumora left on the server.
            const QString sent =
                server.home() + QLatin1Char('/') + target + QLatin1String("/lumora");
            files = QDir(sent).entryList(QDir::Files).size();
            const std::optional<double> curl = runCurlUnstalled(
                [&](int attempt) {
                    return curlMode(server, passive)
                           << curlUploads(server.port(), sent,
                                          target + QStringLiteral("/curl%1").arg(attempt));
                },
                excluded);
            if (curl)
                theirs.append(*curl);
        }
        std::printf("%-8s %s %7lld %8d\n", passive ? "passive" : "active",
                    qPrintable(pairedColumns(ours, theirs)), static_cast<long long>(files),
                    excluded);
    }
    std::printf("load average at end: %s\n", qPrintable(loadAverage()));
    if (failures)
        std::fprintf(stderr, "%d uploads failed\n", failures);
    return failures ? 1 : 0;
}
