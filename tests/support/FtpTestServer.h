#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// An FTP server for tests, on 127.0.0.1 with a port picked at run time in 20000-29999 (the
// component's Port takes at most 32768, the kernel's own ports start there). Started by
// start(), stopped by the destructor. Kinds:
// - Pyftpdlib: `python3 -m pyftpdlib` with user and password, serving home() (writable).
// - Vsftpd: vsftpd (one per connection, inetd style, no system user needed) with anonymous
//   login and any password, serving home() (writable).
// - Fake: tests/support/fake_ftp_server.py with one scenario (see the script), for faults;
//   commands() tells what the client sent.
// - PyftpdlibTls: tests/support/tls_ftp_server.py, pyftpdlib with TLS required on both
//   connections; commands() tells each command and whether it came in TLS.
// - VsftpdTls: Vsftpd with TLS required on both connections and session reuse.
// The TLS kinds make a self-signed certificate for 127.0.0.1 when they start.
// Pyftpdlib listens on ::1 instead after setIpv6().
// Used by the ftplib tests and the Ravel component tests (link lumora_ftptestsupport).
class FtpTestServer
{
public:
    enum class Kind
    {
        Pyftpdlib,
        Vsftpd,
        Fake,
        PyftpdlibTls,
        VsftpdTls
    };

    explicit FtpTestServer(Kind kind, const QString &scenario = QString());
    ~FtpTestServer();
    FtpTestServer(const FtpTestServer &) = delete;
    FtpTestServer &operator=(const FtpTestServer &) = delete;

    // Before start(); Pyftpdlib only.
    void setIpv6(bool on) { m_ipv6 = on; }
    bool start();
    QString errorString() const { return m_error; }
    quint16 port() const { return m_port; }
    QByteArray host() const { return m_ipv6 ? "::1" : "127.0.0.1"; }
    QByteArray user() const;
    QByteArray password() const;
    // The folder the server serves, where a logged-in user starts.
    QString home() const { return m_dir.path() + QLatin1String("/root"); }
    // The TLS kinds' certificate (PEM, the key beside it) and its SHA-256 fingerprint in
    // lowercase hex.
    QString certificateFile() const { return m_dir.path() + QLatin1String("/cert.pem"); }
    QByteArray fingerprint() const;
    // Command lines the fake server received so far.
    QStringList commands();
    // What pyftpdlib logged so far: a line for each command it completed.
    QString log();
    // Waits until the fake server has received `command`.
    bool waitForCommand(const QString &command, int milliseconds = 10000);

    // A port in 20000-29999 that nothing listens on now, on 127.0.0.1 or ::1.
    static quint16 freePort(bool ipv6 = false);
    // Whether this machine can listen on ::1, for the tests that skip without it.
    static bool hasIpv6Loopback();

private:
    bool startPyftpdlib();
    bool startWithReadyLine(const QString &program, const QStringList &arguments);
    bool writeVsftpdConfig(QString &path);
    bool makeCertificate();
    void readOutput();

    Kind m_kind;
    QString m_scenario;
    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_port = 0;
    bool m_ipv6 = false;
    QString m_error;
    QByteArray m_output;
    QByteArray m_log;
    QStringList m_commands;
};
