// ftplib_bench: our library's STOR against curl, both against vsftpd on loopback, in active
// and in passive mode: 300 files of 200 KB over one connection, then one 200 MB file. Medians
// of 5 runs, timed from after login (curl's login, measured alone, is taken off its time).
// Also the waiting thread's CPU share and the process's peak memory.

#include "FtpLib.h"
#include "FtpTestServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

constexpr int Runs = 5;
constexpr int SmallFiles = 300;
constexpr qint64 SmallSize = 200 * 1000;
constexpr qint64 BigSize = 200 * 1000 * 1000;

// Quits its loop when a transfer's end notification arrives.
class EndWaiter : public QObject
{
public:
    QEventLoop loop;
    int failures = 0;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() != FtpLibNotifyEvent::EventType)
            return QObject::event(e);
        const auto *n = static_cast<FtpLibNotifyEvent *>(e);
        if (n->first != 0) {
            failures += n->code != FTPLIB_OK;
            loop.quit();
        }
        return true;
    }
};

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

double threadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
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

struct Timing
{
    double seconds = 0;
    double waitCpu = 0;
};

// Stores every file asynchronously, one after the other, waiting for each end as the upload
// job does; the clock starts after login.
Timing oursStore(const FtpTestServer &server, const QStringList &files, bool passive)
{
    EndWaiter waiter;
    LibStartSession(&waiter, nullptr);
    LibSetPort(server.port());
    LibSetPassive(passive);
    Timing timing;
    if (LibLogin(server.host(), server.user(), server.password(), nullptr, 0) != FTPLIB_OK ||
        LibSetType('I') != FTPLIB_OK) {
        std::fprintf(stderr, "login failed: %s\n", LibLastReply());
        LibEndSession();
        return timing;
    }
    QElapsedTimer timer;
    timer.start();
    const double cpu = threadCpuSeconds();
    for (const QString &file : files) {
        const QByteArray name = file.section(QLatin1Char('/'), -1).toUtf8();
        LibSend(file.toUtf8(), name, 'I', 1, 0, &waiter, FTPLIB_NOTIFY_TRANSFER);
        waiter.loop.exec();
    }
    timing.seconds = double(timer.nsecsElapsed()) / 1e9;
    timing.waitCpu = threadCpuSeconds() - cpu;
    if (waiter.failures)
        std::fprintf(stderr, "%d transfers failed\n", waiter.failures);
    LibQuit();
    LibEndSession();
    return timing;
}

double runCurl(const QStringList &arguments)
{
    QProcess curl;
    QElapsedTimer timer;
    timer.start();
    curl.start(QStringLiteral("curl"), arguments);
    curl.waitForFinished(-1);
    if (curl.exitCode() != 0)
        std::fprintf(stderr, "curl failed: %s\n", curl.readAllStandardError().constData());
    return double(timer.nsecsElapsed()) / 1e9;
}

QStringList curlMode(const FtpTestServer &server, bool passive)
{
    QStringList args{QStringLiteral("-s"), QStringLiteral("--user"),
                     QString::fromUtf8(server.user() + ':' + server.password())};
    if (passive)
        args << QStringLiteral("--ftp-pasv");
    else
        args << QStringLiteral("--ftp-port") << QStringLiteral("127.0.0.1");
    return args;
}

double curlStore(const FtpTestServer &server, const QStringList &files, bool passive, double login)
{
    const QString url = QStringLiteral("ftp://127.0.0.1:%1/").arg(server.port());
    const QStringList args = curlMode(server, passive)
                             << QStringLiteral("-T")
                             << QLatin1Char('{') + files.join(QLatin1Char(',')) + QLatin1Char('}')
                             << url;
    return runCurl(args) - login;
}

// curl's start and login alone: a directory URL with -I logs in and stops.
double curlLogin(const FtpTestServer &server, bool passive)
{
    QList<double> times;
    for (int i = 0; i < Runs; ++i)
        times.append(runCurl(curlMode(server, passive)
                             << QStringLiteral("-I")
                             << QStringLiteral("ftp://127.0.0.1:%1/").arg(server.port())));
    return median(times);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    FtpTestServer server(FtpTestServer::Kind::Vsftpd);
    if (!server.start()) {
        std::fprintf(stderr, "vsftpd: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    QTemporaryDir local;
    QStringList small;
    for (int i = 0; i < SmallFiles; ++i) {
        small.append(local.filePath(QStringLiteral("small%1.jpg").arg(i, 3, 10, QLatin1Char('0'))));
        writeRandom(small.last(), SmallSize);
    }
    const QStringList big{local.filePath(QStringLiteral("big.bin"))};
    writeRandom(big.first(), BigSize);

    std::printf("%-8s %-12s %10s %10s %7s %9s\n", "mode", "load", "ours s", "curl s", "ratio",
                "wait CPU");
    for (const bool passive : {false, true}) {
        const double login = curlLogin(server, passive);
        for (const auto &[load, files] :
             {std::pair{"300x200KB", small}, std::pair{"1x200MB", big}}) {
            QList<double> ours;
            QList<double> theirs;
            QList<double> cpu;
            for (int run = 0; run < Runs; ++run) {
                const Timing t = oursStore(server, files, passive);
                ours.append(t.seconds);
                cpu.append(t.waitCpu / t.seconds);
                theirs.append(curlStore(server, files, passive, login));
            }
            std::printf("%-8s %-12s %10.3f %10.3f %7.2f %8.1f%%\n", passive ? "passive" : "active",
                        load, median(ours), median(theirs), median(ours) / median(theirs),
                        100 * median(cpu));
        }
    }
    std::printf("peak memory of this process: %ld KiB\n", peakMemoryKiB());
    return 0;
}
