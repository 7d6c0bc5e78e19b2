#include "bench/BenchSupport.h"

#include "tests/support/FtpTestServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace BenchSupport {

bool writeRandom(const QString &path, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (qint64 done = 0; done < size; done += chunk.size()) {
        QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(chunk.data()),
                                              chunk.size() / 4);
        file.write(chunk.constData(), std::min<qint64>(chunk.size(), size - done));
    }
    return true;
}

bool startServer(FtpTestServer &server)
{
    if (server.start())
        return true;
    std::fprintf(stderr, "FTP test server: %s\n", qPrintable(server.errorString()));
    return false;
}

QString tool(const char *name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(name);
}

std::optional<QString> runTool(const char *name, const QStringList &arguments, double *seconds)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(tool(name), arguments);
    const bool finished = process.waitForFinished(-1);
    if (seconds)
        *seconds = double(timer.nsecsElapsed()) / 1e9;
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed\n", name);
        return std::nullopt;
    }
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

ChildRun runMeasured(const char *name, const QStringList &arguments)
{
    QList<QByteArray> words{QFile::encodeName(tool(name))};
    for (const QString &a : arguments)
        words.append(a.toUtf8());
    std::vector<char *> argv;
    for (QByteArray &w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    ChildRun run;
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return run;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return run;
    run.seconds = double(timer.nsecsElapsed()) / 1e9;
    run.peakMiB = double(usage.ru_maxrss) / 1024.0;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

QString makeAlbum(const QString &folder, int pictures, qint64 pictureSize)
{
    const std::optional<QString> project =
        runTool("make_sample_album", {folder, QString::number(pictures)});
    if (!project ||
        !runTool("lumora", {QStringLiteral("generate"), QStringLiteral("--project"), *project,
                            QStringLiteral("--layout"), QStringLiteral("framethumb"),
                            QStringLiteral("--output"), folder + QLatin1String("/album.html")}))
        return QString();
    // Uploading never decodes a picture, so any bytes of the right size will do.
    const QStringList jpegs = QDir(folder).entryList({QStringLiteral("*.jpg")}, QDir::Files);
    for (const QString &name : jpegs) {
        if (!writeRandom(folder + QLatin1Char('/') + name, pictureSize))
            return QString();
    }
    return *project;
}

QStringList uploadArguments(const QString &project, const QString &folder, quint16 port,
                            const QString &path, bool passive)
{
    const QString passwordFile = folder + QLatin1String("/password");
    QFile password(passwordFile);
    if (password.open(QIODevice::WriteOnly))
        password.write("guest@example.com");
    QStringList args{QStringLiteral("upload"),
                     QStringLiteral("--project"),
                     project,
                     QStringLiteral("--host"),
                     QStringLiteral("127.0.0.1"),
                     QStringLiteral("--port"),
                     QString::number(port),
                     QStringLiteral("--password-file"),
                     passwordFile,
                     QStringLiteral("--page"),
                     folder + QLatin1String("/album.html"),
                     QStringLiteral("--path"),
                     path};
    if (passive)
        args << QStringLiteral("--passive");
    return args;
}

Loads writeLoads(const QString &dir)
{
    Loads loads;
    for (int i = 0; i < 300; ++i) {
        loads.small.append(dir + QStringLiteral("/small%1.jpg").arg(i, 3, 10, QLatin1Char('0')));
        writeRandom(loads.small.last(), 200 * 1000);
    }
    loads.big.append(dir + QStringLiteral("/big.bin"));
    writeRandom(loads.big.first(), 200 * 1000 * 1000);
    return loads;
}

static double seconds(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double threadCpuSeconds()
{
    return seconds(CLOCK_THREAD_CPUTIME_ID);
}

double processCpuSeconds()
{
    return seconds(CLOCK_PROCESS_CPUTIME_ID);
}

long peakMemoryKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

QString spread(const QList<double> &values)
{
    if (values.isEmpty())
        return QStringLiteral("-");
    const auto [least, most] = std::minmax_element(values.begin(), values.end());
    return QStringLiteral("%1 [%2-%3]")
        .arg(median(values), 0, 'f', 3)
        .arg(*least, 0, 'f', 3)
        .arg(*most, 0, 'f', 3);
}

QString pairedColumns(const QList<double> &ours, const QList<double> &theirs)
{
    const double ratio = ours.isEmpty() || theirs.isEmpty() ? 0 : median(ours) / median(theirs);
    return QStringLiteral("%1 %2 %3")
        .arg(spread(ours), -22)
        .arg(spread(theirs), -22)
        .arg(ratio, 6, 'f', 2);
}

QString loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("unknown");
    const QList<QByteArray> fields = file.read(256).split(' ');
    return QString::fromLatin1(fields.mid(0, 3).join(' '));
}

void emptyFolder(const QString &folder)
{
    QDir dir(folder);
    for (const QFileInfo &entry :
         dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
        if (entry.isDir())
            QDir(entry.filePath()).removeRecursively();
        else
            dir.remove(entry.fileName());
    }
}

// A transfer that waits this long before its data flows has met curl's stall, not the server.
constexpr double StallSeconds = 0.9;

CurlRun runCurl(const QStringList &arguments)
{
    QProcess curl;
    QElapsedTimer timer;
    timer.start();
    // One line per transfer: the time until its data was about to flow.
    curl.start(QStringLiteral("curl"), QStringList(arguments)
                                           << QStringLiteral("-w")
                                           << QStringLiteral("%{time_pretransfer}\\n"));
    curl.waitForFinished(-1);
    CurlRun run{double(timer.nsecsElapsed()) / 1e9,
                curl.exitStatus() == QProcess::NormalExit && curl.exitCode() == 0};
    if (!run.succeeded)
        std::fprintf(stderr, "curl failed: %s\n", curl.readAllStandardError().constData());
    QList<double> waits, brisk;
    for (const QByteArray &line : curl.readAllStandardOutput().split('\n')) {
        bool number = false;
        const double pretransfer = line.trimmed().toDouble(&number);
        if (number)
            (pretransfer >= StallSeconds ? waits : brisk).append(pretransfer);
    }
    const double typical = brisk.isEmpty() ? 0 : median(brisk);
    run.stalls = int(waits.size());
    for (const double wait : waits)
        run.stallSeconds += wait - typical;
    return run;
}

std::optional<double> runCurlUnstalled(const std::function<QStringList(int)> &arguments,
                                       int &excluded)
{
    for (int attempt = 0; attempt < 4; ++attempt) {
        const CurlRun run = runCurl(arguments(attempt));
        if (run.stalls == 0)
            return run.seconds;
        ++excluded;
    }
    return std::nullopt;
}

QStringList curlMode(const FtpTestServer &server, bool passive)
{
    QStringList args{QStringLiteral("-s"), QStringLiteral("--user"),
                     QString::fromUtf8(server.user() + ':' + server.password())};
    // PASV and PORT, as the component sends them; curl's EPSV path also stalls a second per
    // file at times.
    if (passive)
        args << QStringLiteral("--ftp-pasv") << QStringLiteral("--disable-epsv");
    else
        args << QStringLiteral("--ftp-port") << QStringLiteral("127.0.0.1")
             << QStringLiteral("--disable-eprt");
    return args;
}

QStringList curlUploads(quint16 port, const QString &from, const QString &target)
{
    QStringList files;
    for (const QString &name : QDir(from).entryList(QDir::Files))
        files.append(from + QLatin1Char('/') + name);
    return {QStringLiteral("--ftp-create-dirs"), QStringLiteral("-T"),
            QLatin1Char('{') + files.join(QLatin1Char(',')) + QLatin1Char('}'),
            QStringLiteral("ftp://127.0.0.1:%1/%2/").arg(port).arg(target)};
}

std::optional<double> curlStore(FtpTestServer &server, const QStringList &files, bool passive,
                                double login, int &excluded)
{
    const QString url = QStringLiteral("ftp://127.0.0.1:%1/").arg(server.port());
    const QStringList args = curlMode(server, passive)
                             << QStringLiteral("-T")
                             << QLatin1Char('{') + files.join(QLatin1Char(',')) + QLatin1Char('}')
                             << url;
    const std::optional<double> seconds = runCurlUnstalled(
        [&](int) {
            emptyFolder(server.home());
            return args;
        },
        excluded);
    if (!seconds)
        return std::nullopt;
    return *seconds - login;
}

// A directory URL with -I logs in and stops.
double curlLogin(const FtpTestServer &server, bool passive, int runs)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i)
        times.append(runCurl(curlMode(server, passive)
                             << QStringLiteral("-I")
                             << QStringLiteral("ftp://127.0.0.1:%1/").arg(server.port()))
                         .seconds);
    return median(times);
}

} // namespace BenchSupport
