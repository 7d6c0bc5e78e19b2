#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A session bus and a keyring daemon of the test's own, in a temporary home, so no real
// keyring is ever seen. Once start() succeeded the process's DBUS_SESSION_BUS_ADDRESS names
// that bus. Both programs end with this object, on every path.
class PrivateKeyring
{
public:
    // The program this machine lacks to run one, or empty text.
    static QString missingProgram();
    ~PrivateKeyring();
    // Empty text once the bus and the keyring run, else what went wrong.
    QString start();

private:
    QTemporaryDir m_home;
    QProcess m_bus;
    QProcess m_keyring;
};
