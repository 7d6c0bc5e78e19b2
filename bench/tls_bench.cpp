// tls_bench: FTP over TLS against vsftpd on loopback, which demands TLS on both connections
// and refuses a data connection that does not resume the control connection's TLS session.
// `lumora upload --tls require --fingerprint` of a PICTURES-picture album (default 300, 200 KB
// each) against `curl --ssl-reqd` storing the same files over one connection (its success
// shows that it resumed the session), passive mode, each run into a fresh folder that the
// client creates, the order turned round every run. curl cannot use TLS 1.3 with vsftpd (it
// closes a data connection with the session tickets unread: 426, then 522 on the next one),
// so it is held to TLS 1.2, and lumora runs against a second vsftpd held to TLS 1.2 as well
// (OpenSSL's configuration in its environment) beside the one that speaks TLS 1.3. curl often
// idles a second before a data connection (its state machine misses the PASV reply already
// read); those seconds are taken from its time and counted. Then the peak resident memory of
// `lumora upload --tls require` of an album whose one picture is 200 MiB. Medians of RUNS runs
// (at least 5) with their least and greatest; the machine's load at start and end.

#include "bench/BenchSupport.h"
#include "tests/support/FtpTestServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <optional>

using namespace BenchSupport;

namespace {

constexpr double TimeGoal = 1.2;
constexpr double MemoryGoalMiB = 100e6 / (1 << 20); // 100 MB

qsizetype fileCount(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files).size();
}

// Starts `server` with OpenSSL's configuration `config` in its environment, or with the
// default one when `config` is empty.
bool startWith(FtpTestServer &server, const QString &config)
{
    if (config.isEmpty())
        return startServer(server);
    const std::optional<QByteArray> before = qEnvironmentVariableIsSet("OPENSSL_CONF")
                                                 ? std::optional(qgetenv("OPENSSL_CONF"))
                                                 : std::nullopt;
    qputenv("OPENSSL_CONF", QFile::encodeName(config));
    const bool started = startServer(server);
    before ? qputenv("OPENSSL_CONF", *before) : qunsetenv("OPENSSL_CONF");
    return started;
}

// An OpenSSL configuration that stops at TLS 1.2; its path.
QString tls12Config(const QTemporaryDir &work)
{
    const QString path = work.filePath(QStringLiteral("tls12.cnf"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write("openssl_conf = conf\n[conf]\nssl_conf = ssl\n[ssl]\nsystem_default = sys\n"
                   "[sys]\nMaxProtocol = TLSv1.2\n");
    return path;
}

QStringList tlsArguments(const FtpTestServer &server)
{
    return {QStringLiteral("--tls"), QStringLiteral("require"), QStringLiteral("--fingerprint"),
            QString::fromLatin1(server.fingerprint())};
}

void printRow(const char *what, const QList<double> &values, const QString &note = QString())
{
    std::printf("%-38s %-24s %s\n", what, qPrintable(spread(values)), qPrintable(note));
}

bool printRatio(const char *what, const QList<double> &ours, const QList<double> &theirs)
{
    const double ratio = ours.isEmpty() || theirs.isEmpty() ? 0 : median(ours) / median(theirs);
    const bool met = ratio > 0 && ratio <= TimeGoal;
    std::printf("%-38s %.2f (goal at most %.1f: %s)\n", what, ratio, TimeGoal,
                met ? "met" : "NOT met");
    return met;
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
    FtpTestServer server12(FtpTestServer::Kind::VsftpdTls);
    if (!startWith(server, QString()) || !startWith(server12, tls12Config(work)))
        return 1;
    const auto lumora = [&](const FtpTestServer &to, const QString &target, double *seconds) {
        return runTool("lumora",
                       uploadArguments(project, album, to.port(), target, true) << tlsArguments(to),
                       seconds)
            .has_value();
    };
    // curl sends exactly what a first upload left on the server.
    const QString sent = server.home() + QLatin1String("/first");
    if (!lumora(server, QStringLiteral("first"), nullptr))
        return 1;
    const qsizetype files = fileCount(sent);
    const QStringList curlTls{QStringLiteral("-S"),        QStringLiteral("--ssl-reqd"),
                              QStringLiteral("--tls-max"), QStringLiteral("1.2"),
                              QStringLiteral("--cacert"),  server12.certificateFile()};

    std::printf("%lld files per upload, passive mode, %d runs\n", static_cast<long long>(files),
                runs);
    std::printf("load average at start: %s\n", qPrintable(loadAverage()));
    QList<double> ours13, ours12, theirs, curlWall;
    int stalls = 0;
    int failures = 0;
    for (int run = 0; run < runs; ++run) {
        const QString target = QStringLiteral("run%1/").arg(run);
        QList<int> order{0, 1, 2};
        if (run % 2)
            std::reverse(order.begin(), order.end());
        for (const int client : order) {
            double seconds = 0;
            if (client < 2) {
                const bool latest = client == 0;
                if (lumora(latest ? server : server12, target + QLatin1String("lumora"), &seconds))
                    (latest ? ours13 : ours12).append(seconds);
                else
                    ++failures;
                continue;
            }
            const QString curlTarget = target + QLatin1String("curl");
            const CurlRun curl =
                runCurl(curlMode(server12, true)
                        << curlTls << curlUploads(server12.port(), sent, curlTarget));
            if (!curl.succeeded ||
                fileCount(server12.home() + QLatin1Char('/') + curlTarget) != files) {
                ++failures;
                continue;
            }
            curlWall.append(curl.seconds);
            theirs.append(curl.seconds - curl.stallSeconds);
            stalls += curl.stalls;
        }
    }
    std::printf("%-38s %s\n", "client", "s: median [min-max]");
    printRow("lumora upload --tls require, TLS 1.3", ours13);
    printRow("lumora upload --tls require, TLS 1.2", ours12);
    printRow("curl --ssl-reqd, TLS 1.2, less stalls", theirs);
    printRow("curl --ssl-reqd, TLS 1.2, wall time", curlWall,
             QStringLiteral("%1 transfers stalled 1 s").arg(stalls));
    printRatio("lumora / curl, both TLS 1.2:", ours12, theirs);
    printRatio("lumora TLS 1.3 / curl TLS 1.2:", ours13, theirs);

    QList<double> memory, seconds;
    for (int run = 0; run < runs; ++run) {
        const QString target = QStringLiteral("big%1").arg(run);
        const ChildRun child =
            runMeasured("lumora", uploadArguments(bigProject, bigAlbum, server.port(), target, true)
                                      << tlsArguments(server));
        if (child.status != 0) {
            ++failures;
            continue;
        }
        memory.append(child.peakMiB);
        seconds.append(child.seconds);
        // Two hundred MiB a run would only fill the disk.
        QDir(server.home() + QLatin1Char('/') + target).removeRecursively();
    }
    // Under 100 MB in every run.
    const bool small =
        !memory.isEmpty() && *std::max_element(memory.begin(), memory.end()) < MemoryGoalMiB;
    std::printf("one 200 MiB picture over TLS 1.3: peak RSS MiB %s, s %s (goal under 100 MB: "
                "%s)\n",
                qPrintable(spread(memory)), qPrintable(spread(seconds)), small ? "met" : "NOT met");
    std::printf("load average at end: %s\n", qPrintable(loadAverage()));
    if (failures)
        std::fprintf(stderr, "%d uploads failed\n", failures);
    return failures ? 1 : 0;
}
