#pragma once

#include "upload/FtpSite.h"

#include <array>

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

private:
    static constexpr int LockWaitMs = 10000;
    SettingsStore &m_store;
};
