// tls_bench: FTP over TLS against vsftpd on loopback, which demands TLS on both connections
// and refuses a data connection that does not resume the control connection's TLS session.
// `lumora upload --tls require --fingerprint` of a PICTURES-picture album (default 300, 200 KB
// each) against `curl --ssl-reqd` storing the same files over one connection (its success
// shows that it resumed the session), passive mode, each run into a fresh folder that the
// client creates, the two taking turns to go first. curl often idles a second before a data
// connection (its state machine misses the PASV reply already read); those seconds are taken
// from its time, which the goal is set against, and counted. Then the peak resident memory of
// `lumora upload --tls require` of an album whose one picture is 200 MiB. Medians of RUNS runs
// (at least 5) with their least and greatest; the machine's load at start and end.

#include "bench/BenchSupport.h"
#include "tests/support/FtpTestServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

using namespace BenchSupport;

namespace {

constexpr double TimeGoal = 1.2;
constexpr double MemoryGoalMiB = 100;

qsizetype fileCount(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files).size();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = std::max(5, qEnvironmentVariableIntValue("RUNS"));
    QTemporaryDir work;
    // lumora's settings stay in this run's folder and out of the desktop keyring.
    qputenv("XDG_CONFIG_HOME", work.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", work.filePath(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CACHE_HOME", work.filePath(QStringLiteral("cache")).toUtf8());
    qputenv("LUMORA_KEYRING", "off");
    const QString album = work.filePath(QStringLiteral("album"));
    const QString project =
        makeAlbum(album, std::max(1, qEnvironmentVariableIntValue("PICTURES") ?: 300), 200 * 1000);
    const QString bigAlbum = work.filePath(QStringLiteral("big"));
    const QString bigProject = makeAlbum(bigAlbum, 1, 200 * 1024 * 1024);
    if (project.isEmpty() || bigProject.isEmpty())
        return 1;
    FtpTestServer server(FtpTestServer::Kind::VsftpdTls);
    if (!startServer(server))
        return 1;
    const QStringList tls{QStringLiteral("--tls"), QStringLiteral("require"),
                          QStringLiteral("--fingerprint"),
                          QString::fromLatin1(server.fingerprint())};
    const auto lumora = [&](const QString &target, double *seconds) {
        return runTool("lumora",
                       uploadArguments(project, album, server.port(), target, true) << tls, seconds)
            .has_value();
    };
    // curl sends exactly what a first upload left on the server.
    const QString sent = server.home() + QLatin1String("/first");
    if (!lumora(QStringLiteral("first"), nullptr))
        return 1;
    const qsizetype files = fileCount(sent);
    // TLS 1.3 would fail here: curl closes a data connection with the server's session
    // tickets unread, vsftpd answers 426, and the next data connection cannot resume (522).
    const QStringList curlTls{QStringLiteral("-S"),        QStringLiteral("--ssl-reqd"),
                              QStringLiteral("--tls-max"), QStringLiteral("1.2"),
                              QStringLiteral("--cacert"),  server.certificateFile()};

    std::printf("%lld files per upload, passive mode, %d runs\n", static_cast<long long>(files),
                runs);
    std::printf("load average at start: %s\n", qPrintable(loadAverage()));
    QList<double> ours, theirs, curlWall;
    int stalls = 0;
    int failures = 0;
    for (int run = 0; run < runs; ++run) {
        const QString target = QStringLiteral("run%1").arg(run);
        for (const bool lumoraTurn : {run % 2 == 0, run % 2 != 0}) {
            if (lumoraTurn) {
                double seconds = 0;
                if (lumora(target + QLatin1String("/lumora"), &seconds))
                    ours.append(seconds);
                else
                    ++failures;
                continue;
            }
            const QString curlTarget = target + QLatin1String("/curl");
            const CurlRun curl = runCurl(
                curlMode(server, true) << curlTls << curlUploads(server.port(), sent, curlTarget));
            if (!curl.succeeded ||
                fileCount(server.home() + QLatin1Char('/') + curlTarget) != files) {
                ++failures;
                continue;
            }
            curlWall.append(curl.seconds);
            theirs.append(curl.seconds - curl.stallSeconds);
            stalls += curl.stalls;
        }
    }
    std::printf("%-38s %s\n", "client", "s: median [min-max]");
    std::printf("%-38s %s\n", "lumora upload --tls require", qPrintable(spread(ours)));
    std::printf("%-38s %s\n", "curl --ssl-reqd, less its stalls", qPrintable(spread(theirs)));
    std::printf("%-38s %s (%d transfers stalled 1 s)\n", "curl --ssl-reqd, wall time",
                qPrintable(spread(curlWall)), stalls);
    const double ratio = ours.isEmpty() || theirs.isEmpty() ? 0 : median(ours) / median(theirs);
    std::printf("lumora / curl less its stalls: %.2f; goal at most %.1f: %s\n", ratio, TimeGoal,
                ratio > 0 && ratio <= TimeGoal ? "met" : "NOT met");

    QList<double> memory, seconds;
    for (int run = 0; run < runs; ++run) {
        const QString target = QStringLiteral("big%1").arg(run);
        const ChildRun child = runMeasured(
            "lumora", uploadArguments(bigProject, bigAlbum, server.port(), target, true) << tls);
        if (child.status != 0) {
            ++failures;
            continue;
        }
        memory.append(child.peakMiB);
        seconds.append(child.seconds);
        // Two hundred MiB a run would only fill the disk.
        QDir(server.home() + QLatin1Char('/') + target).removeRecursively();
    }
    std::printf("one 200 MiB picture: peak RSS MiB %s, s %s\n", qPrintable(spread(memory)),
                qPrintable(spread(seconds)));
    const bool small = !memory.isEmpty() && median(memory) < MemoryGoalMiB;
    std::printf("goal: peak RSS under %.0f MiB: %s\n", MemoryGoalMiB, small ? "met" : "NOT met");
    std::printf("load average at end: %s\n", qPrintable(loadAverage()));
    if (failures)
        std::fprintf(stderr, "%d uploads failed\n", failures);
    return failures ? 1 : 0;
}
