// ftplib_bench: our library's STOR against curl, both against vsftpd on loopback, in active
// and in passive mode: 300 files of 200 KB over one connection, then one 200 MB file. Medians
// of 5 runs with their least and greatest, timed from after login (curl's login, measured
// alone, is taken off its time); both write into the server's emptied top folder. A curl run
// that stalls a second before a data connection is run again, and counted. Also the waiting
// thread's CPU share, the process's peak memory and the machine's load.

#include "bench/BenchSupport.h"
#include "ravel/ftplib/FtpLib.h"
#include "tests/support/FtpTestServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <cstdio>

using namespace BenchSupport;

namespace {

constexpr int Runs = 5;
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
        const auto *n = &static_cast<FtpLibNotifyEvent *>(e)->received();
        if (n->first != 0) {
            failures += n->code != FTPLIB_OK;
            loop.quit();
        }
        return true;
    }
};

struct Timing
{
    double seconds = 0;
    double waitCpu = 0;
};

// Stores every file asynchronously, one after the other, waiting for each end as the upload
// job does; the clock starts after login.
Timing oursStore(const FtpTestServer &server, const QStringList &files, bool passive)
{
    emptyFolder(server.home());
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

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    FtpTestServer server(FtpTestServer::Kind::Vsftpd);
    if (!startServer(server))
        return 1;
    QTemporaryDir local;
    const auto [small, big] = writeLoads(local.path());

    std::printf("load average at start: %s\n", qPrintable(loadAverage()));
    std::printf("%-8s %-10s %-22s %-22s %6s %8s %8s\n", "mode", "load", "ours s [min-max]",
                "curl s [min-max]", "ratio", "wait CPU", "excluded");
    for (const bool passive : {false, true}) {
        const double login = curlLogin(server, passive, Runs);
        for (const auto &[load, files] :
             {std::pair{"300x200KB", small}, std::pair{"1x200MB", big}}) {
            QList<double> ours;
            QList<double> theirs;
            QList<double> cpu;
            int excluded = 0;
            for (int run = 0; run < Runs; ++run) {
                const Timing t = oursStore(server, files, passive);
                ours.append(t.seconds);
                cpu.append(t.waitCpu / t.seconds);
                if (const auto curl = curlStore(server, files, passive, login, excluded))
                    theirs.append(*curl);
            }
            std::printf("%-8s %-10s %s %7.1f%% %8d\n", passive ? "passive" : "active", load,
                        qPrintable(pairedColumns(ours, theirs)), 100 * median(cpu), excluded);
        }
    }
    std::printf("peak memory of this process: %ld KiB\n", peakMemoryKiB());
    std::printf("load average at end: %s\n", qPrintable(loadAverage()));
    return 0;
}
