#include "upload/SitePasswords.h"

#include "upload/PasswordKeyring.h"

#include <QSet>

const QString SitePasswords::InKeyring = QStringLiteral("Password stored in the desktop keyring");
const QString SitePasswords::InSettingsFile =
    QStringLiteral("Password stored in the settings file (no desktop keyring available)");

SitePasswords::SitePasswords(SettingsStore &store, PasswordKeyring &keyring, QObject *parent)
    : QObject(parent), m_store(store), m_keyring(keyring)
{
}

QString SitePasswords::keyOf(const FtpSite &site)
{
    return PasswordKeyring::keyFor(site.url, site.userName);
}

void SitePasswords::start()
{
    m_probing = true;
    m_keyring.probe([this](bool) {
        m_probing = false;
        if (m_waiting)
            load(*std::exchange(m_waiting, std::nullopt));
        if (!busy())
            emit settled();
    });
}

void SitePasswords::answered()
{
    --m_pending;
    if (!busy())
        emit settled();
}

FtpSiteMemory::Sites SitePasswords::remember(const FtpSite &site)
{
    FtpSiteMemory memory(m_store);
    if (!m_keyring.reachable()) {
        if (!site.password.isEmpty())
            emit stored(InSettingsFile);
        return known(memory.RememberFtpSite(site));
    }
    // The password reaches the settings file only if the keyring refuses it.
    FtpSite kept = site;
    kept.password.clear();
    const FtpSiteMemory::Sites before = memory.LoadFtpSiteList();
    FtpSiteMemory::Sites sites = known(memory.RememberFtpSite(kept));
    forgetDropped(before, sites);
    sites[0].password = site.password;
    m_known.insert(keyOf(site), site.password);
    ++m_pending;
    m_keyring.write(keyOf(site), site.password, [this, site](bool ok) {
        if (!ok)
            FtpSiteMemory(m_store).replacePassword(site, QString(), site.password);
        if (!site.password.isEmpty())
            emit stored(ok ? InKeyring : InSettingsFile);
        answered();
    });
    return sites;
}

void SitePasswords::forgetDropped(const FtpSiteMemory::Sites &before,
                                  const FtpSiteMemory::Sites &after)
{
    QSet<QString> listed;
    for (const FtpSite &site : after)
        if (!site.url.isEmpty())
            listed.insert(keyOf(site));
    for (const FtpSite &site : before) {
        const QString key = keyOf(site);
        if (site.url.isEmpty() || listed.contains(key))
            continue;
        listed.insert(key);
        m_known.remove(key);
        ++m_pending;
        m_keyring.write(key, QString(), [this](bool) { answered(); });
    }
}

void SitePasswords::load(const FtpSiteMemory::Sites &sites)
{
    if (m_probing) {
        m_waiting = sites;
        return;
    }
    if (!m_keyring.reachable())
        return;
    for (const FtpSite &site : sites) {
        if (site.url.isEmpty())
            continue;
        const QString key = keyOf(site);
        ++m_pending;
        if (site.password.isEmpty()) {
            m_keyring.read(key, [this, key](std::optional<QString> password) {
                if (password) {
                    m_known.insert(key, *password);
                    emit passwordsRead();
                }
                answered();
            });
            continue;
        }
        m_known.insert(key, site.password);
        m_keyring.write(key, site.password, [this, site](bool ok) {
            if (ok)
                FtpSiteMemory(m_store).replacePassword(site, site.password, QString());
            answered();
        });
    }
}

FtpSite SitePasswords::known(FtpSite site) const
{
    if (site.password.isEmpty())
        site.password = m_known.value(keyOf(site));
    return site;
}

FtpSiteMemory::Sites SitePasswords::known(FtpSiteMemory::Sites sites) const
{
    for (FtpSite &site : sites)
        site = known(site);
    return sites;
}
