// latency_bench: publishing over a slow link. vsftpd on loopback behind delay_proxy.py, which
// adds 15 ms each way to the control connection and to the data connections (a 30 ms round
// trip; passive mode, whose data ports the proxy rewrites). Times, each into a fresh folder
// that the client creates: `lumora upload` (one connection), curl storing the same files over
// one connection, lftp's `mirror -R --parallel=4`, and `lumora upload --changed-only` after
// one picture changed (into a folder that already holds the album and its manifest). Medians
// of RUNS runs (at least 5) with their least and greatest; PICTURES (default 300) pictures
// of 200 KB. A curl run that stalls a second before a data connection is run again, and
// counted; the machine's load is printed at start and end.

#include "bench/BenchSupport.h"
#include "tests/support/FtpTestServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <optional>

using namespace BenchSupport;

namespace {

constexpr int ToolTimeoutMs = 600 * 1000;

// Starts the proxy in front of `server`; its listening port, or 0.
quint16 startProxy(QProcess &proxy, const FtpTestServer &server)
{
    proxy.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    proxy.start(
        QStringLiteral("python3"),
        {QStringLiteral(DELAY_PROXY), QString::number(server.port()), QStringLiteral("0.015")});
    if (!proxy.waitForStarted(10000))
        return 0;
    while (!proxy.canReadLine()) {
        if (!proxy.waitForReadyRead(10000))
            return 0;
    }
    return quint16(proxy.readLine(16).trimmed().toUInt());
}

// lftp's mirror of `from` into the fresh folder `target`, four transfers at once; its wall
// time, or nothing on failure.
std::optional<double> lftpMirror(quint16 port, const QString &from, const QString &target)
{
    QProcess lftp;
    lftp.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const QString script =
        QStringLiteral("set ftp:ssl-allow no; set ftp:passive-mode on; set net:max-retries 1; "
                       "set net:timeout 30; mirror -R --parallel=4 %1 %2; quit")
            .arg(from, target);
    QElapsedTimer timer;
    timer.start();
    lftp.start(QStringLiteral("lftp"),
               {QStringLiteral("-u"), QStringLiteral("anonymous,guest@example.com"),
                QStringLiteral("-p"), QString::number(port), QStringLiteral("-e"), script,
                QStringLiteral("127.0.0.1")});
    if (!lftp.waitForFinished(ToolTimeoutMs) || lftp.exitStatus() != QProcess::NormalExit ||
        lftp.exitCode() != 0) {
        std::fprintf(stderr, "lftp failed\n");
        return std::nullopt;
    }
    return double(timer.nsecsElapsed()) / 1e9;
}

void printRow(const char *what, const QList<double> &times, const QString &note)
{
    std::printf("%-34s %-26s %s\n", what, qPrintable(spread(times)), qPrintable(note));
}

QString ratio(const QList<double> &ours, const QList<double> &theirs, const char *against)
{
    if (ours.isEmpty() || theirs.isEmpty())
        return QString();
    return QStringLiteral("%1x %2").arg(median(ours) / median(theirs), 0, 'f', 2).arg(against);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = std::max(5, qEnvironmentVariableIntValue("RUNS"));
    const int pictures = std::max(1, qEnvironmentVariableIntValue("PICTURES") ?: 300);
    QTemporaryDir work;
    // lumora's settings stay in this run's folder.
    qputenv("XDG_CONFIG_HOME", work.filePath(QStringLiteral("config")).toUtf8());
    const QString album = work.filePath(QStringLiteral("album"));
    const QString project = makeAlbum(album, pictures, 200 * 1000);
    if (project.isEmpty())
        return 1;
    const QStringList jpegs = QDir(album).entryList({QStringLiteral("*.jpg")}, QDir::Files);
    FtpTestServer server(FtpTestServer::Kind::Vsftpd);
    if (!startServer(server))
        return 1;
    QProcess proxy;
    const quint16 port = startProxy(proxy, server);
    if (port == 0) {
        std::fprintf(stderr, "delay proxy did not start\n");
        return 1;
    }

    std::printf("%d pictures of 200 KB, 15 ms each way, passive mode, %d runs\n", pictures, runs);
    std::printf("load average at start: %s\n", qPrintable(loadAverage()));
    QList<double> sequential, parallel, curl, lftp, changed;
    int excluded = 0;
    int failures = 0;
    qsizetype files = 0;
    // The folder that --changed-only re-publishes into, with the manifest of a first upload.
    const QString republished = QStringLiteral("republished");
    if (!runTool("lumora", uploadArguments(project, album, port, republished, true)
                               << QStringLiteral("--changed-only")))
        ++failures;
    for (int run = 0; run < runs; ++run) {
        const QString target = QStringLiteral("run%1").arg(run);
        double seconds = 0;
        if (runTool("lumora",
                    uploadArguments(project, album, port, target + QLatin1String("/lumora"), true),
                    &seconds))
            sequential.append(seconds);
        else
            ++failures;
        if (runTool("lumora",
                    uploadArguments(project, album, port, target + QLatin1String("/parallel"), true)
                        << QStringLiteral("--connections") << QStringLiteral("4"),
                    &seconds))
            parallel.append(seconds);
        else
            ++failures;
        // curl and lftp send exactly what lumora left on the server.
        const QString sent = server.home() + QLatin1Char('/') + target + QLatin1String("/lumora");
        files = QDir(sent).entryList(QDir::Files).size();
        if (const std::optional<double> t = runCurlUnstalled(
                [&](int attempt) {
                    return curlMode(server, true) << curlUploads(
                               port, sent, target + QStringLiteral("/curl%1").arg(attempt));
                },
                excluded))
            curl.append(*t);
        if (const std::optional<double> t = lftpMirror(port, sent, target + QLatin1String("/lftp")))
            lftp.append(*t);
        else
            ++failures;
        writeRandom(album + QLatin1Char('/') + jpegs.at(run % jpegs.size()), 200 * 1000);
        if (runTool("lumora",
                    uploadArguments(project, album, port, republished, true)
                        << QStringLiteral("--changed-only"),
                    &seconds))
            changed.append(seconds);
        else
            ++failures;
    }

    std::printf("%lld files per upload\n", static_cast<long long>(files));
    std::printf("%-34s %-26s %s\n", "client", "s: median [min-max]", "");
    printRow("lumora upload (1 connection)", sequential,
             ratio(sequential, curl, "curl (goal <= 1.0)"));
    printRow("curl (1 connection)", curl, QStringLiteral("%1 stalled runs excluded").arg(excluded));
    printRow("lumora upload --connections 4", parallel,
             ratio(parallel, lftp, "lftp --parallel=4 (goal <= 0.8)"));
    printRow("lftp mirror -R --parallel=4", lftp, QString());
    printRow("lumora upload --changed-only", changed,
             QStringLiteral("one picture changed (goal < 2 s)"));
    std::printf("load average at end: %s\n", qPrintable(loadAverage()));
    proxy.kill();
    proxy.waitForFinished(5000);
    if (failures)
        std::fprintf(stderr, "%d runs failed\n", failures);
    return failures ? 1 : 0;
}
