#include "ravel/ftplib/FtpTls.h"

#include "ravel/ftplib/FtpLib.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>
#include <QSslCertificate>
#include <QSslEllipticCurve>
#include <QSslSocket>

namespace {

// Bounds a CA file read from outside.
constexpr qint64 MaxCaFile = 4 * 1024 * 1024;

QByteArray fingerprintOf(const QSslCertificate &certificate)
{
    return certificate.isNull() ? QByteArray()
                                : certificate.digest(QCryptographicHash::Sha256).toHex();
}

} // namespace

const QSslConfiguration &FtpTls::base() const
{
    if (m_base)
        return *m_base;
    m_base = QSslConfiguration::defaultConfiguration();
    // Data connections resume the control connection's session (servers may demand it).
    m_base->setSslOption(QSsl::SslOptionDisableSessionPersistence, false);
    // P-256 first: every TLS server has it, and one that has nothing else (vsftpd) would
    // otherwise send each handshake back once for another key share, a round trip per file.
    QList<QSslEllipticCurve> curves;
    for (const char *name : {"prime256v1", "X25519", "secp384r1"}) {
        const QSslEllipticCurve curve = QSslEllipticCurve::fromShortName(QLatin1String(name));
        if (curve.isValid())
            curves.append(curve);
    }
    if (!curves.isEmpty())
        m_base->setEllipticCurves(curves);
    return *m_base;
}

QByteArray FtpTls::normalized(const QByteArray &fingerprint)
{
    QByteArray hex = fingerprint.toLower();
    hex.replace(':', QByteArray());
    return hex;
}

void FtpTls::setTrustedFingerprints(const QByteArray &list)
{
    m_trusted.clear();
    static const QRegularExpression separators(QStringLiteral("[,;\\s]+"));
    for (const QString &item : QString::fromLatin1(list).split(separators, Qt::SkipEmptyParts))
        m_trusted.append(normalized(item.toLatin1()));
}

bool FtpTls::addCaFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxCaFile)
        return false;
    const QList<QSslCertificate> found = QSslCertificate::fromData(file.read(MaxCaFile));
    if (found.isEmpty())
        return false;
    base(); // the system's store first, the extra certificates added to it
    m_base->addCaCertificates(found);
    return true;
}

QByteArray FtpTls::peerFingerprint() const
{
    return m_peer ? fingerprintOf(*m_peer) : QByteArray();
}

int FtpTls::secureControl(QSslSocket &socket, const QString &host, int timeoutMs)
{
    m_host = host;
    m_verifyError.clear();
    return handshake(socket, base(), host, timeoutMs, &m_peer.emplace(), &m_verifyError);
}

int FtpTls::secureData(QSslSocket &socket, const QSslSocket &control, int timeoutMs) const
{
    // The ticket comes after the control handshake (TLS 1.3), so it is read now.
    QSslConfiguration configuration = base();
    configuration.setSessionTicket(control.sslConfiguration().sessionTicket());
    return handshake(socket, configuration, m_host, timeoutMs, nullptr, nullptr);
}

int FtpTls::handshake(QSslSocket &socket, const QSslConfiguration &configuration,
                      const QString &host, int timeoutMs, QSslCertificate *peer,
                      QByteArray *error) const
{
    socket.setSslConfiguration(configuration);
    socket.setPeerVerifyName(host);
    bool untrusted = false;
    QByteArray seen;
    QByteArray why;
    // Runs inside the handshake, on this thread: a pinned certificate is let through here.
    const QMetaObject::Connection check = QObject::connect(
        &socket, &QSslSocket::sslErrors, &socket, [&](const QList<QSslError> &errors) {
            seen = fingerprintOf(socket.peerCertificate());
            QStringList texts;
            for (const QSslError &e : errors)
                texts.append(e.errorString());
            why = texts.join(QLatin1String("; ")).toUtf8();
            if (!seen.isEmpty() && m_trusted.contains(seen))
                socket.ignoreSslErrors();
            else
                untrusted = true;
        });
    socket.startClientEncryption();
    const bool encrypted = socket.waitForEncrypted(timeoutMs);
    QObject::disconnect(check);
    if (peer)
        *peer = socket.peerCertificate();
    if (error)
        *error = why;
    if (encrypted)
        return FTPLIB_OK;
    return untrusted ? FTPLIB_UNTRUSTEDCERT : FTPLIB_NOREPLY;
}
