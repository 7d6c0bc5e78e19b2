#include "tests/support/FtpTestServer.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSslCertificate>
#include <QTcpServer>

namespace {

constexpr int StartTimeoutMs = 15000;
const QString Python = QStringLiteral("/usr/bin/python3");

QString supportFile(const char *name)
{
    return QLatin1String(LUMORA_TEST_SUPPORT_DIR "/") + QLatin1String(name);
}

} // namespace

FtpTestServer::FtpTestServer(Kind kind, const QString &scenario)
    : m_kind(kind), m_scenario(scenario)
{
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
}

FtpTestServer::~FtpTestServer()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

QByteArray FtpTestServer::user() const
{
    return m_kind == Kind::Vsftpd || m_kind == Kind::VsftpdTls ? "anonymous" : "test";
}

QByteArray FtpTestServer::password() const
{
    return m_kind == Kind::Vsftpd || m_kind == Kind::VsftpdTls ? "guest@example.com" : "secret";
}

QByteArray FtpTestServer::fingerprint() const
{
    const QList<QSslCertificate> found = QSslCertificate::fromPath(certificateFile());
    return found.isEmpty() ? QByteArray()
                           : found.first().digest(QCryptographicHash::Sha256).toHex();
}

// Self-signed for 127.0.0.1 (in the subject and as an IP address), key and certificate in
// one file, as both servers take it.
bool FtpTestServer::makeCertificate()
{
    const QString key = m_dir.path() + QLatin1String("/key.pem");
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                   QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-days"),
                   QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
                   QStringLiteral("-addext"), QStringLiteral("subjectAltName=IP:127.0.0.1"),
                   QStringLiteral("-keyout"), key, QStringLiteral("-out"), certificateFile()});
    if (!openssl.waitForFinished(StartTimeoutMs) || openssl.exitCode() != 0) {
        m_error =
            QStringLiteral("openssl: ") + QString::fromLocal8Bit(openssl.readAllStandardError());
        return false;
    }
    QFile keyFile(key);
    QFile cert(certificateFile());
    if (!keyFile.open(QIODevice::ReadOnly) || !cert.open(QIODevice::Append)) {
        m_error = QStringLiteral("cannot join the key to the certificate");
        return false;
    }
    cert.write(keyFile.readAll());
    return true;
}

quint16 FtpTestServer::freePort(bool ipv6)
{
    const int start = QRandomGenerator::global()->bounded(10000);
    for (int i = 0; i < 10000; ++i) {
        const quint16 port = quint16(20000 + (start + i) % 10000);
        QTcpServer probe;
        if (probe.listen(ipv6 ? QHostAddress::LocalHostIPv6 : QHostAddress::LocalHost, port))
            return port;
    }
    return 0;
}

bool FtpTestServer::hasIpv6Loopback()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHostIPv6, 0);
}

bool FtpTestServer::start()
{
    if (!m_dir.isValid() || !QDir().mkpath(home())) {
        m_error = QStringLiteral("no temporary folder");
        return false;
    }
    switch (m_kind) {
    case Kind::Pyftpdlib:
        return startPyftpdlib();
    case Kind::Fake:
        return startWithReadyLine(Python,
                                  {supportFile("fake_ftp_server.py"),
                                   m_scenario.isEmpty() ? QStringLiteral("normal") : m_scenario});
    case Kind::PyftpdlibTls:
        return makeCertificate() &&
               startWithReadyLine(Python,
                                  {supportFile("tls_ftp_server.py"), certificateFile(), home(),
                                   QString::fromLatin1(user()), QString::fromLatin1(password())});
    case Kind::Vsftpd:
    case Kind::VsftpdTls: {
        QString config;
        return (m_kind == Kind::Vsftpd || makeCertificate()) && writeVsftpdConfig(config) &&
               startWithReadyLine(Python, {supportFile("vsftpd_inetd.py"), config});
    }
    }
    return false;
}

// pyftpdlib takes the port on its command line, so a port that another process grabs in
// between is possible: the server then ends at once and the next port is tried.
bool FtpTestServer::startPyftpdlib()
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        m_port = freePort(m_ipv6);
        m_process.start(Python,
                        {QStringLiteral("-m"), QStringLiteral("pyftpdlib"), QStringLiteral("-i"),
                         QString::fromLatin1(host()), QStringLiteral("-p"), QString::number(m_port),
                         QStringLiteral("-w"), QStringLiteral("-d"), home(), QStringLiteral("-u"),
                         QString::fromLatin1(user()), QStringLiteral("-P"),
                         QString::fromLatin1(password())});
        QByteArray log;
        m_process.setReadChannel(QProcess::StandardError);
        while (m_process.waitForReadyRead(StartTimeoutMs)) {
            log += m_process.readAllStandardError();
            if (log.contains(">>> starting FTP server"))
                return true;
        }
        m_error = QString::fromLocal8Bit(log + m_process.readAllStandardError());
        m_process.kill();
        m_process.waitForFinished();
    }
    return false;
}

bool FtpTestServer::startWithReadyLine(const QString &program, const QStringList &arguments)
{
    m_process.start(program, arguments);
    m_process.setReadChannel(QProcess::StandardOutput);
    while (m_process.waitForReadyRead(StartTimeoutMs)) {
        m_output += m_process.readAllStandardOutput();
        const qsizetype end = m_output.indexOf('\n');
        if (end >= 0 && m_output.startsWith("READY ")) {
            m_port = quint16(m_output.mid(6, end - 6).toUInt());
            m_output.remove(0, end + 1);
            return m_port != 0;
        }
    }
    m_error = QString::fromLocal8Bit(m_process.readAllStandardError());
    return false;
}

bool FtpTestServer::writeVsftpdConfig(QString &path)
{
    const QString empty = m_dir.path() + QLatin1String("/empty");
    QDir().mkpath(empty);
    path = m_dir.path() + QLatin1String("/vsftpd.conf");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        m_error = file.errorString();
        return false;
    }
    // Passive ports stay below the kernel's ephemeral range: inside it vsftpd fails to bind.
    QStringList lines = {
        QStringLiteral("listen=NO"),
        QStringLiteral("run_as_launching_user=YES"),
        QStringLiteral("anonymous_enable=YES"),
        QStringLiteral("no_anon_password=YES"),
        QStringLiteral("anon_root=") + home(),
        QStringLiteral("local_enable=NO"),
        QStringLiteral("write_enable=YES"),
        QStringLiteral("anon_upload_enable=YES"),
        QStringLiteral("anon_mkdir_write_enable=YES"),
        QStringLiteral("anon_other_write_enable=YES"),
        QStringLiteral("anon_umask=022"),
        QStringLiteral("allow_writeable_chroot=YES"),
        QStringLiteral("secure_chroot_dir=") + empty,
        QStringLiteral("seccomp_sandbox=NO"),
        QStringLiteral("pasv_min_port=30000"),
        QStringLiteral("pasv_max_port=30399"),
        QStringLiteral("log_ftp_protocol=YES"),
        QStringLiteral("vsftpd_log_file=") + m_dir.path() + QLatin1String("/vsftpd.log"),
    };
    if (m_kind == Kind::VsftpdTls)
        lines << QStringLiteral("ssl_enable=YES") << QStringLiteral("allow_anon_ssl=YES")
              << QStringLiteral("force_anon_logins_ssl=YES")
              << QStringLiteral("force_anon_data_ssl=YES")
              << QStringLiteral("force_local_logins_ssl=YES")
              << QStringLiteral("force_local_data_ssl=YES")
              << QStringLiteral("require_ssl_reuse=YES") << QStringLiteral("ssl_ciphers=HIGH")
              << QStringLiteral("rsa_cert_file=") + certificateFile();
    file.write(lines.join(QLatin1Char('\n')).toUtf8() + '\n');
    return true;
}

QStringList FtpTestServer::commands()
{
    // Collects what has arrived without waiting for more.
    m_process.waitForReadyRead(0);
    readOutput();
    return m_commands;
}

bool FtpTestServer::waitForCommand(const QString &command, int milliseconds)
{
    readOutput();
    while (!m_commands.contains(command)) {
        if (!m_process.waitForReadyRead(milliseconds))
            return false;
        readOutput();
    }
    return true;
}

QString FtpTestServer::log()
{
    m_log += m_process.readAllStandardError();
    return QString::fromUtf8(m_log);
}

void FtpTestServer::readOutput()
{
    m_output += m_process.readAllStandardOutput();
    qsizetype end;
    while ((end = m_output.indexOf('\n')) >= 0) {
        const QByteArray line = m_output.left(end);
        m_output.remove(0, end + 1);
        if (line.startsWith("CMD "))
            m_commands.append(QString::fromUtf8(line.mid(4)));
    }
}
