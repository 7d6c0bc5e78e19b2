#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class FtpTestServer;

// What the FTP benchmarks share: test data, clocks, and curl as the yardstick.
namespace BenchSupport {

bool writeRandom(const QString &path, qint64 size);
// Starts `server`; says why on standard error when it cannot.
bool startServer(FtpTestServer &server);

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
