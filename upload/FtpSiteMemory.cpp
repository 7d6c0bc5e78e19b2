#include "upload/FtpSiteMemory.h"

#include "project/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace {
const QString Section = QStringLiteral("ftp");

QString key(int slot, const char *word)
{
    return QString::number(slot) + QLatin1String(word);
}
TlsMode securityOf(const QString &stored)
{
    bool ok = false;
    const int value = stored.toInt(&ok);
    return ok && value >= int(TlsMode::Off) && value <= int(TlsMode::Require) ? TlsMode(value)
                                                                              : TlsMode::Auto;
}
int connectionsOf(const QString &stored)
{
    const int value = stored.toInt();
    return value >= 1 && value <= MaxConnections ? value : 1;
}
} // namespace

void FtpSiteMemory::SaveFtpSite(int slot, const FtpSite &site)
{
    m_store.Write(
        Section,
        {{key(slot, "FtpUrl"), site.url},
         {key(slot, "FtpUserName"), site.userName},
         {key(slot, "FtpPassword"), site.password},
         {key(slot, "FtpUrlPath"), site.urlPath},
         {key(slot, "FtpFilePath"), site.filePath},
         {key(slot, "FtpChangedOnly"), SettingsStore::BooleanText(site.options.changedOnly)},
         {key(slot, "FtpDeleteRemoved"), SettingsStore::BooleanText(site.options.deleteRemoved)},
         {key(slot, "FtpSecurity"), QString::number(int(site.security))},
         {key(slot, "FtpConnections"), QString::number(site.connections)}});
}

FtpSite FtpSiteMemory::LoadFtpSite(int slot) const
{
    return {m_store.Read(Section, key(slot, "FtpUrl"), QString()),
            m_store.Read(Section, key(slot, "FtpUserName"), QString()),
            m_store.Read(Section, key(slot, "FtpPassword"), QString()),
            m_store.Read(Section, key(slot, "FtpUrlPath"), QString()),
            m_store.Read(Section, key(slot, "FtpFilePath"), QString()),
            {m_store.ReadBoolean(Section, key(slot, "FtpChangedOnly"), QString(), false),
             m_store.ReadBoolean(Section, key(slot, "FtpDeleteRemoved"), QString(), false)},
            securityOf(m_store.Read(Section, key(slot, "FtpSecurity"), QString())),
            connectionsOf(m_store.Read(Section, key(slot, "FtpConnections"), QString()))};
}

FtpSiteMemory::Sites FtpSiteMemory::LoadFtpSiteList() const
{
    Sites sites;
    for (int slot = 1; slot <= Slots; ++slot)
        sites[slot - 1] = LoadFtpSite(slot);
    return sites;
}

void FtpSiteMemory::locked(const std::function<void()> &work)
{
    QDir().mkpath(QFileInfo(m_store.fileName()).path());
    QLockFile lock(m_store.fileName() + QLatin1String(".sites.lock"));
    lock.tryLock(LockWaitMs);
    work();
}

FtpSiteMemory::Sites FtpSiteMemory::RememberFtpSite(const FtpSite &current)
{
    // The list is read afresh once the lock is held.
    locked([&] {
        const Sites before = LoadFtpSiteList();
        SaveFtpSite(1, current);
        int others = 0;
        for (const FtpSite &site : before) {
            if (site.url == current.url)
                continue;
            ++others;
            if (others < 4)
                SaveFtpSite(others + 1, site);
        }
    });
    return LoadFtpSiteList();
}

void FtpSiteMemory::replacePassword(const FtpSite &site, const QString &from, const QString &to)
{
    locked([&] {
        for (int slot = 1; slot <= Slots; ++slot) {
            const FtpSite held = LoadFtpSite(slot);
            if (held.url == site.url && held.userName == site.userName && held.password == from)
                m_store.Write(Section, key(slot, "FtpPassword"), to);
        }
    });
}
