#pragma once

#include "upload/FtpSite.h"

#include <array>
#include <functional>

class SettingsStore;

// The five remembered FTP sites, slots "1" to "5" of the settings store's "ftp" section.
class FtpSiteMemory
{
public:
    static constexpr int Slots = 5;
    using Sites = std::array<FtpSite, Slots>;

    explicit FtpSiteMemory(SettingsStore &store) : m_store(store) {}

    void SaveFtpSite(int slot, const FtpSite &site);
    FtpSite LoadFtpSite(int slot) const;
    // All five slots, as the URL drop-down list offers them.
    Sites LoadFtpSiteList() const;
    // The current site becomes slot 1; the others keep their order behind it, the same
    // URL dropped. Slot 5 is never written, so it keeps what it held.
    Sites RememberFtpSite(const FtpSite &current);
    // The slots that remember `site`'s user on its host with the password `from` get `to`:
    // a password the list still holds where it was, never one changed since.
    void replacePassword(const FtpSite &site, const QString &from, const QString &to);

private:
    // Another program may shift the list at the same time: reading and writing it happen
    // under one lock. A lock that cannot be had in time is worked without rather than
    // hanging the upload.
    void locked(const std::function<void()> &work);

    static constexpr int LockWaitMs = 10000;
    SettingsStore &m_store;
};
