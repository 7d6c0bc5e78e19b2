// ravel_bench: the component's STOR, driven as the upload job drives it (asynchronous mode,
// one file after the other, waiting on StillExecuting), against curl, both against vsftpd
// on loopback, active and passive: 300 files of 200 KB, then one 200 MB file. Medians of
// RUNS runs (at least 5) with their least and greatest, timed from after login; both write
// into the server's emptied top folder. A curl run that stalls a second before a data
// connection is run again, and counted. Also the host thread's and the whole process's CPU
// share, the progress events per second, the peak memory and the machine's load.

#include "bench/BenchSupport.h"
#include "ravel/CRavelCtrl.h"
#include "tests/support/FtpTestServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

using namespace BenchSupport;

namespace {

struct Timing
{
    double seconds = 0;
    double hostCpu = 0;
    double processCpu = 0;
    int events = 0;
    int failures = 0;
};

// Runs the event loop until the component is idle; woken by its activity, never spinning.
void waitIdle(CRavelCtrl &ctrl)
{
    if (!ctrl.StillExecuting())
        return;
    QEventLoop loop;
    QObject::connect(&ctrl, &CRavelCtrl::activity, &loop, [&] {
        if (!ctrl.StillExecuting())
            loop.quit();
    });
    loop.exec();
}

bool login(CRavelCtrl &ctrl, const FtpTestServer &server, bool passive)
{
    ctrl.setAsyncMode(true);
    ctrl.setPassive(passive);
    ctrl.setTimeOut(60);
    ctrl.setPort(server.port());
    ctrl.setProperty("RemoteHost", QString::fromLatin1(server.host()));
    ctrl.setProperty("UserName", QString::fromLatin1(server.user()));
    ctrl.setProperty("PassWord", QString::fromLatin1(server.password()));
    int result = 0;
    QEventLoop loop;
    QObject::connect(&ctrl, &CRavelCtrl::OnLogin, &loop, [&](int code) {
        result = code;
        loop.quit();
    });
    ctrl.Connect();
    if (result == 0)
        loop.exec();
    return result == CRavelCtrl::RAVELERR_OK;
}

Timing ravelStore(const FtpTestServer &server, const QStringList &files, bool passive)
{
    emptyFolder(server.home());
    CRavelCtrl ctrl;
    Timing timing;
    if (!login(ctrl, server, passive)) {
        std::fprintf(stderr, "login failed\n");
        timing.failures = 1;
        return timing;
    }
    QObject::connect(&ctrl, &CRavelCtrl::OnAsyncEvent,
                     [&](qint64, qint64 bytes, const QString &, bool complete) {
                         ++timing.events;
                         timing.failures += !complete && bytes < 0;
                     });
    QElapsedTimer timer;
    timer.start();
    const double host = threadCpuSeconds();
    const double process = processCpuSeconds();
    for (const QString &file : files) {
        ctrl.STOR(file, file.section(QLatin1Char('/'), -1), QVariant());
        waitIdle(ctrl);
    }
    timing.seconds = double(timer.nsecsElapsed()) / 1e9;
    timing.hostCpu = (threadCpuSeconds() - host) / timing.seconds;
    timing.processCpu = (processCpuSeconds() - process) / timing.seconds;
    ctrl.QUIT();
    waitIdle(ctrl);
    return timing;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = std::max(5, qEnvironmentVariableIntValue("RUNS"));
    FtpTestServer server(FtpTestServer::Kind::Vsftpd);
    if (!startServer(server))
        return 1;
    QTemporaryDir local;
    const auto [small, big] = writeLoads(local.path());

    std::printf("load average at start: %s\n", qPrintable(loadAverage()));
    std::printf("%-8s %-10s %-22s %-22s %6s %8s %8s %9s %8s\n", "mode", "load", "ravel s [min-max]",
                "curl s [min-max]", "ratio", "host CPU", "proc CPU", "events/s", "excluded");
    int failures = 0;
    for (const bool passive : {false, true}) {
        const double login = curlLogin(server, passive, runs);
        for (const auto &[load, files] :
             {std::pair{"300x200KB", small}, std::pair{"1x200MB", big}}) {
            QList<double> ours, theirs, host, process, rate;
            int excluded = 0;
            for (int run = 0; run < runs; ++run) {
                const Timing t = ravelStore(server, files, passive);
                failures += t.failures;
                ours.append(t.seconds);
                host.append(t.hostCpu);
                process.append(t.processCpu);
                rate.append(t.events / t.seconds);
                if (const auto curl = curlStore(server, files, passive, login, excluded))
                    theirs.append(*curl);
            }
            std::printf("%-8s %-10s %s %7.1f%% %7.1f%% %9.0f %8d\n", passive ? "passive" : "active",
                        load, qPrintable(pairedColumns(ours, theirs)), 100 * median(host),
                        100 * median(process), median(rate), excluded);
        }
    }
    std::printf("peak memory of this process: %ld KiB\n", peakMemoryKiB());
    std::printf("load average at end: %s\n", qPrintable(loadAverage()));
    if (failures)
        std::fprintf(stderr, "%d transfers failed\n", failures);
    return failures ? 1 : 0;
}
