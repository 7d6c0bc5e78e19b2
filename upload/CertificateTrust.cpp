#include "upload/CertificateTrust.h"

#include "project/SettingsStore.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QRegularExpression>
#include <QSslCertificate>

namespace {
const QString Section = QStringLiteral("certificates");

// Host names compare without case; an IPv6 literal keeps its colons out of the key syntax.
QString keyOf(const QString &host)
{
    return QString::fromLatin1(host.trimmed().toLower().toUtf8().toPercentEncoding());
}
} // namespace

QString CertificateTrust::fingerprint(const QString &host) const
{
    return normalized(m_store.Read(Section, keyOf(host), QString()));
}

void CertificateTrust::trust(const QString &host, const QString &fingerprint)
{
    m_store.Write(Section, keyOf(host), normalized(fingerprint));
}

QString CertificateTrust::normalized(const QString &fingerprint)
{
    static const QRegularExpression hex(QStringLiteral("^[0-9a-f]{64}$"));
    QString text = fingerprint.trimmed().toLower();
    text.remove(QLatin1Char(':'));
    return hex.match(text).hasMatch() ? text : QString();
}

QString CertificateTrust::describe(const QString &host, const QByteArray &pem,
                                   const QString &reason, const QString &previous)
{
    const QList<QSslCertificate> found = QSslCertificate::fromData(pem);
    const QSslCertificate certificate = found.isEmpty() ? QSslCertificate() : found.first();
    const QString fingerprint =
        QString::fromLatin1(certificate.digest(QCryptographicHash::Sha256).toHex());
    // A whole fingerprint is wider than a message box: two lines of 16 bytes each.
    const auto block = [](const QString &hex) {
        const QString text = shown(hex);
        return QLatin1String("    ") + text.left(48) + QLatin1String("\n    ") + text.mid(48);
    };
    const auto when = [](const QDateTime &t) {
        return t.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm 'UTC'"));
    };
    QStringList lines;
    if (!previous.isEmpty() && previous != fingerprint)
        lines << QStringLiteral("WARNING: the certificate of %1 has changed.").arg(host)
              << QStringLiteral("Trusted before (SHA-256):") << block(previous)
              << QStringLiteral("Offered now (SHA-256):") << block(fingerprint)
              << QStringLiteral("Someone may be between you and the server; accept the new one "
                                "only if the site's owner says it changed.")
              << QString();
    lines << QStringLiteral("The certificate of %1 could not be verified: %2.").arg(host, reason)
          << QString() << QStringLiteral("Subject: %1").arg(certificate.subjectDisplayName())
          << QStringLiteral("Issuer: %1").arg(certificate.issuerDisplayName())
          << QStringLiteral("Valid from %1 to %2")
                 .arg(when(certificate.effectiveDate()), when(certificate.expiryDate()))
          << QStringLiteral("SHA-256 fingerprint:") << block(fingerprint) << QString()
          << QStringLiteral("Trust this certificate for %1?").arg(host);
    return lines.join(QLatin1Char('\n'));
}

QString CertificateTrust::shown(const QString &fingerprint)
{
    const QString hex = fingerprint.toUpper();
    QStringList pairs;
    for (qsizetype i = 0; i < hex.size(); i += 2)
        pairs.append(hex.mid(i, 2));
    return pairs.join(QLatin1Char(':'));
}
