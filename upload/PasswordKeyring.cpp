#include "upload/PasswordKeyring.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QTimer>
#include <memory>
#include <qt6keychain/keychain.h>

namespace {
const QString Service = QStringLiteral("Lumora");
const QString SecretsName = QStringLiteral("org.freedesktop.secrets");
const QString SecretsPath = QStringLiteral("/org/freedesktop/secrets");
} // namespace

PasswordKeyring::PasswordKeyring(QObject *parent) : QObject(parent) {}

bool PasswordKeyring::switchedOff()
{
    return qEnvironmentVariable("LUMORA_KEYRING")
               .compare(QLatin1String("off"), Qt::CaseInsensitive) == 0;
}

QString PasswordKeyring::keyFor(const QString &host, const QString &user)
{
    return QStringLiteral("ftp://%1@%2").arg(user, host);
}

void PasswordKeyring::ask(const QDBusMessage &message, qint64 deadline,
                          const std::function<void(const QDBusMessage &)> &answered,
                          const std::function<void()> &refused)
{
    const qint64 left = QDeadlineTimer(deadline).remainingTime();
    if (left <= 0)
        return refused();
    QDBusMessage call = message;
    // A service that is not running stays so: asking never starts it.
    call.setAutoStartService(false);
    auto *watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call, int(left)), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [answered, refused](QDBusPendingCallWatcher *w) {
                w->deleteLater();
                const QDBusMessage reply = w->reply();
                if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
                    answered(reply);
                else
                    refused();
            });
}

void PasswordKeyring::probe(const std::function<void(bool)> &done)
{
    const auto answer = [this, done](bool yes) {
        m_reachable = yes;
        done(yes);
    };
    // Without an address the bus library may launch a bus of its own; that is never wanted.
    if (switchedOff() || qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") ||
        !QDBusConnection::sessionBus().isConnected())
        return answer(false);
    const qint64 deadline = QDeadlineTimer(AnswerMs).deadline();
    const auto no = [answer] { answer(false); };
    const auto call = [](const QString &service, const QString &path, const QString &interface,
                         const char *method, const QVariantList &arguments) {
        QDBusMessage message =
            QDBusMessage::createMethodCall(service, path, interface, QLatin1String(method));
        message.setArguments(arguments);
        return message;
    };
    // The question QDBusConnectionInterface::isServiceRegistered asks, without blocking.
    const QDBusMessage owner =
        call(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
             QStringLiteral("org.freedesktop.DBus"), "NameHasOwner", {SecretsName});
    ask(
        owner, deadline,
        [=, this](const QDBusMessage &reply) {
            if (!reply.arguments().first().toBool())
                return no();
            const QDBusMessage alias =
                call(SecretsName, SecretsPath, QStringLiteral("org.freedesktop.Secret.Service"),
                     "ReadAlias", {QStringLiteral("default")});
            ask(
                alias, deadline,
                [=, this](const QDBusMessage &reply) {
                    // No default collection: making one would prompt for its password.
                    const QString path = reply.arguments().first().value<QDBusObjectPath>().path();
                    if (path.isEmpty() || path == QLatin1String("/"))
                        return no();
                    const QDBusMessage locked = call(
                        SecretsName, path, QStringLiteral("org.freedesktop.DBus.Properties"), "Get",
                        {QStringLiteral("org.freedesktop.Secret.Collection"),
                         QStringLiteral("Locked")});
                    ask(
                        locked, deadline,
                        [answer](const QDBusMessage &reply) {
                            answer(!reply.arguments()
                                        .first()
                                        .value<QDBusVariant>()
                                        .variant()
                                        .toBool());
                        },
                        no);
                },
                no);
        },
        no);
}

void PasswordKeyring::run(QKeychain::Job *job,
                          const std::function<void(QKeychain::Job *)> &answered,
                          const std::function<void()> &late)
{
    // Whichever comes first answers; a late job still deletes itself when it ends.
    auto open = std::make_shared<bool>(true);
    connect(job, &QKeychain::Job::finished, this, [open, answered](QKeychain::Job *j) {
        if (std::exchange(*open, false))
            answered(j);
    });
    QTimer::singleShot(AnswerMs, this, [open, late] {
        if (std::exchange(*open, false))
            late();
    });
    job->setAutoDelete(true);
    job->start();
}

void PasswordKeyring::read(const QString &key,
                           const std::function<void(std::optional<QString>)> &done)
{
    if (!m_reachable)
        return done(std::nullopt);
    auto *job = new QKeychain::ReadPasswordJob(Service);
    job->setKey(key);
    run(
        job,
        [done](QKeychain::Job *j) {
            if (j->error() == QKeychain::NoError)
                done(static_cast<QKeychain::ReadPasswordJob *>(j)->textData());
            else
                done(std::nullopt);
        },
        [done] { done(std::nullopt); });
}

void PasswordKeyring::write(const QString &key, const QString &password,
                            const std::function<void(bool)> &done)
{
    if (!m_reachable)
        return done(false);
    QKeychain::Job *job = nullptr;
    if (password.isEmpty()) {
        job = new QKeychain::DeletePasswordJob(Service);
    } else {
        auto *writing = new QKeychain::WritePasswordJob(Service);
        writing->setTextData(password);
        job = writing;
    }
    job->setKey(key);
    run(
        job,
        [done](QKeychain::Job *j) {
            // Removing an entry that was never there leaves the keyring as wanted.
            done(j->error() == QKeychain::NoError || j->error() == QKeychain::EntryNotFound);
        },
        [done] { done(false); });
}
