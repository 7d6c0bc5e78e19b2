#pragma once

#include "upload/FtpSiteMemory.h"

#include <QHash>
#include <QObject>
#include <optional>

class PasswordKeyring;
class SettingsStore;

// Where the remembered sites' passwords live: in the desktop keyring when it is reachable,
// the settings file then keeping an empty value; in the settings file otherwise.
class SitePasswords : public QObject
{
    Q_OBJECT
public:
    static const QString InKeyring;
    static const QString InSettingsFile;

    SitePasswords(SettingsStore &store, PasswordKeyring &keyring, QObject *parent = nullptr);

    // Asks whether the keyring is reachable; sites given to load() before the answer are
    // loaded once it comes.
    void start();
    // Remembers `site` first in the list, its password in the keyring when that takes it;
    // a site that falls off the list takes its keyring entry with it. The list comes back
    // with every password known so far.
    FtpSiteMemory::Sites remember(const FtpSite &site);
    // The window's reading of the list: passwords the settings file still holds move into the
    // keyring, the others are read from it. Answers arrive as passwordsRead().
    void load(const FtpSiteMemory::Sites &sites);
    // `sites` with the passwords the keyring gave for those the settings file leaves empty.
    FtpSiteMemory::Sites known(FtpSiteMemory::Sites sites) const;
    FtpSite known(FtpSite site) const;
    bool busy() const { return m_pending > 0 || m_probing; }

signals:
    // Where a remembered site's password went, as a status line.
    void stored(const QString &line);
    void passwordsRead();
    // Nothing is left waiting for the keyring.
    void settled();

private:
    static QString keyOf(const FtpSite &site);
    void forgetDropped(const FtpSiteMemory::Sites &before, const FtpSiteMemory::Sites &after);
    void answered();

    SettingsStore &m_store;
    PasswordKeyring &m_keyring;
    QHash<QString, QString> m_known;
    // Sites loaded while the probe was out.
    std::optional<FtpSiteMemory::Sites> m_waiting;
    bool m_probing = false;
    int m_pending = 0;
};
