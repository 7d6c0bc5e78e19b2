#pragma once

#include <QString>

class SettingsStore;

// Certificates a person chose to trust although they do not verify: one SHA-256
// fingerprint per host, in the settings store's "certificates" section.
class CertificateTrust
{
public:
    explicit CertificateTrust(SettingsStore &store) : m_store(store) {}

    // Lowercase hex, "" when none is stored.
    QString fingerprint(const QString &host) const;
    void trust(const QString &host, const QString &fingerprint);

    // A fingerprint as a person may type it (either case, colons or not) in lowercase hex
    // without colons; "" when it is not 64 hex digits.
    static QString normalized(const QString &fingerprint);
    // In pairs of upper-case digits joined by colons, as certificate viewers show it.
    static QString shown(const QString &fingerprint);
    // What a person needs to judge a certificate (PEM) that `host` offered and that did not
    // verify for `reason`: subject, issuer, validity and fingerprint; when another one was
    // trusted for the host before, a warning naming both fingerprints.
    static QString describe(const QString &host, const QByteArray &pem, const QString &reason,
                            const QString &previous);

private:
    SettingsStore &m_store;
};
