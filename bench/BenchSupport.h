#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class FtpTestServer;

// What the FTP benchmarks share: test data, clocks, and curl as the yardstick.
namespace BenchSupport {

bool writeRandom(const QString &path, qint64 size);
// Starts `server`; says why on standard error when it cannot.
bool startServer(FtpTestServer &server);

// One of our programs, beside the benchmark.
QString tool(const char *name);
// Runs one of our programs to its end; its standard output, or nothing on failure.
std::optional<QString> runTool(const char *name, const QStringList &arguments,
                               double *seconds = nullptr);
// One of our programs run to its end as a child of its own, so that its peak memory is its
// alone; its output is dropped.
struct ChildRun
{
    double peakMiB = -1; // -1 when it did not run
    double seconds = 0;
    int status = -1; // exit status, -1 when it did not exit
};
ChildRun runMeasured(const char *name, const QStringList &arguments);
// The sample album with `pictures` pictures of random bytes, each `pictureSize` long (an
// upload never decodes them), and its page album.html; returns the project's path.
QString makeAlbum(const QString &folder, int pictures, qint64 pictureSize);

// `lumora upload`'s arguments that send the album made by makeAlbum in `folder` into `path`
// on 127.0.0.1:port in passive or active mode, as vsftpd's anonymous user; writes the password file
// into the album's folder.
QStringList uploadArguments(const QString &project, const QString &folder, quint16 port,
                            const QString &path, bool passive);

// The loads of the FTP benchmarks, written into dir: 300 files of 200 KB, one of 200 MB.
struct Loads
{
    QStringList small;
    QStringList big;
};
Loads writeLoads(const QString &dir);
double threadCpuSeconds();
double processCpuSeconds();
long peakMemoryKiB();
double median(QList<double> values);
// "median [min-max]" of values, in seconds.
QString spread(const QList<double> &values);
// Two paired series in fixed columns: their spreads and the ratio of their medians.
QString pairedColumns(const QList<double> &ours, const QList<double> &theirs);
// The machine's load averages over 1, 5 and 15 minutes, from /proc/loadavg.
QString loadAverage();
// Removes everything inside folder, which stays.
void emptyFolder(const QString &folder);

// curl's options for logging in to `server` in the given mode.
QStringList curlMode(const FtpTestServer &server, bool passive);
struct CurlRun
{
    double seconds = 0;      // wall time of the whole process
    bool succeeded = false;  // exit status 0
    int stalls = 0;          // transfers that waited about a second before their data connection
    double stallSeconds = 0; // what those waits added beyond a typical transfer's
};
// Runs curl with `arguments`.
CurlRun runCurl(const QStringList &arguments);
// Runs curl with arguments(attempt) until a run does not stall, at most four times; counts
// the stalled runs in `excluded`. Nothing when every run stalled.
std::optional<double> runCurlUnstalled(const std::function<QStringList(int)> &arguments,
                                       int &excluded);
// curl's arguments that store every file of the flat folder `from` into the fresh folder
// `target` on 127.0.0.1:port, which it creates, over one connection.
QStringList curlUploads(quint16 port, const QString &from, const QString &target);
// curl's upload of `files` in one run into the server's emptied top folder, less its start
// and login (curlLogin).
std::optional<double> curlStore(FtpTestServer &server, const QStringList &files, bool passive,
                                double login, int &excluded);
// curl's start and login alone, median of `runs`.
double curlLogin(const FtpTestServer &server, bool passive, int runs);

} // namespace BenchSupport
