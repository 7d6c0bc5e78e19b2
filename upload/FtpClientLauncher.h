#pragma once

class Dialogs;
class SettingsStore;

// "Manage Website": starts the user's own FTP program, asking for it when none is known.
class FtpClientLauncher
{
public:
    FtpClientLauncher(Dialogs &dialogs, SettingsStore &store) : m_dialogs(dialogs), m_store(store)
    {
    }
    // True when a program was started (and its path stored).
    bool run();

private:
    Dialogs &m_dialogs;
    SettingsStore &m_store;
};
