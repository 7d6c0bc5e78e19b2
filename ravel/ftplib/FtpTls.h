#pragma once

#include <QByteArray>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QString>
#include <QStringList>
#include <optional>

class QSslSocket;

// A session's TLS settings and what the last handshake found. The base configuration (the
// system's CA store and any extra one) is built once per session, not per data connection,
// and only when the session uses TLS: a plain session never starts OpenSSL.
class FtpTls
{
public:
    enum class Mode
    {
        Plain,
        IfAvailable,
        Required
    };

    void setMode(Mode mode) { m_mode = mode; }
    Mode mode() const { return m_mode; }
    // Hex SHA-256 fingerprints, separated by commas, spaces or semicolons; either case, with
    // or without colons. A certificate that does not verify is accepted only with one of them.
    void setTrustedFingerprints(const QByteArray &list);
    // Extra trusted certificates (PEM) beside the system's; false when none could be read.
    bool addCaFile(const QString &path);

    // The control connection's handshake to `host` (its name checked against the
    // certificate): 0, FTPLIB_UNTRUSTEDCERT or FTPLIB_NOREPLY.
    int secureControl(QSslSocket &socket, const QString &host, int timeoutMs);
    // A data connection's handshake, resuming the control connection's TLS session.
    int secureData(QSslSocket &socket, const QSslSocket &control, int timeoutMs) const;

    // What the last control handshake saw; empty before one.
    QByteArray peerFingerprint() const;
    // The certificate itself, PEM, for a person to judge.
    QByteArray peerCertificate() const { return m_peer ? m_peer->toPem() : QByteArray(); }
    QByteArray verifyError() const { return m_verifyError; }
    // Lowercase hex without separators.
    static QByteArray normalized(const QByteArray &fingerprint);

private:
    const QSslConfiguration &base() const;
    int handshake(QSslSocket &socket, const QSslConfiguration &configuration, const QString &host,
                  int timeoutMs, QSslCertificate *peer, QByteArray *error) const;

    Mode m_mode = Mode::Plain;
    mutable std::optional<QSslConfiguration> m_base;
    QList<QByteArray> m_trusted;
    QString m_host;
    // Made only by a handshake: even an empty certificate starts OpenSSL.
    std::optional<QSslCertificate> m_peer;
    QByteArray m_verifyError;
};
