#include "PrivateKeyring.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {
constexpr int StartMs = 10000;
const char *const Programs[] = {"dbus-daemon", "gnome-keyring-daemon"};
} // namespace

QString PrivateKeyring::missingProgram()
{
    for (const char *program : Programs)
        if (QStandardPaths::findExecutable(QLatin1String(program)).isEmpty())
            return QLatin1String(program);
    return {};
}

PrivateKeyring::~PrivateKeyring()
{
    for (QProcess *daemon : {&m_keyring, &m_bus}) {
        daemon->kill();
        daemon->waitForFinished();
    }
}

QString PrivateKeyring::start()
{
    const QString run = m_home.filePath(QStringLiteral("run"));
    QDir().mkpath(run);
    QFile::setPermissions(run, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile config(m_home.filePath(QStringLiteral("bus.conf")));
    if (!config.open(QIODevice::WriteOnly))
        return config.errorString();
    config.write(QStringLiteral(
                     "<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                     "<auth>EXTERNAL</auth><policy context=\"default\">"
                     "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                     "<allow own=\"*\"/></policy>"
                     "</busconfig>")
                     .arg(run)
                     .toUtf8());
    config.close();
    m_bus.start(QLatin1String(Programs[0]),
                {QStringLiteral("--nofork"), QStringLiteral("--print-address=1"),
                 QStringLiteral("--config-file=") + config.fileName()});
    while (!m_bus.canReadLine())
        if (!m_bus.waitForReadyRead(StartMs))
            return QStringLiteral("no bus address: ") + m_bus.readAllStandardError();
    const QByteArray address = m_bus.readLine().trimmed();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), m_home.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), run);
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QString::fromUtf8(address));
    m_keyring.setProcessEnvironment(environment);
    // The password on standard input makes the login keyring, unlocked, without a prompt.
    m_keyring.start(QLatin1String(Programs[1]),
                    {QStringLiteral("--foreground"), QStringLiteral("--components=secrets"),
                     QStringLiteral("--unlock")});
    if (!m_keyring.waitForStarted(StartMs))
        return m_keyring.errorString();
    m_keyring.write("lumora-test");
    m_keyring.closeWriteChannel();
    qputenv("DBUS_SESSION_BUS_ADDRESS", address);

    return {};
}
