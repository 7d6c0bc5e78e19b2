#pragma once

#include <QList>
#include <QString>
#include <QStringList>
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
// The sample album with `pictures` pictures of random bytes, each `pictureSize` long (an
// upload never decodes them), and its page album.html; returns the project's path.
QString makeAlbum(const QString &folder, int pictures, qint64 pictureSize);

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

// curl's options for logging in to `server` in the given mode.
QStringList curlMode(const FtpTestServer &server, bool passive);
// Runs curl with `arguments`; returns the wall time of the whole process in seconds.
double runCurl(const QStringList &arguments);
// curl's upload of `files` in one run, less its start and login (curlLogin).
double curlStore(const FtpTestServer &server, const QStringList &files, bool passive, double login);
// curl's start and login alone, median of `runs`.
double curlLogin(const FtpTestServer &server, bool passive, int runs);

} // namespace BenchSupport
