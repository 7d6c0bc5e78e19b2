#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QDBusMessage;
namespace QKeychain {
class Job;
}

// The desktop keyring (a Secret Service on the session bus) as a place for FTP passwords.
// Every question is asynchronous and answered within AnswerMs: a keyring that is late counts
// as absent, and nothing here waits in a loop of its own.
class PasswordKeyring : public QObject
{
    Q_OBJECT
public:
    static constexpr int AnswerMs = 2000;

    explicit PasswordKeyring(QObject *parent = nullptr);

    // LUMORA_KEYRING=off keeps every password in the settings file.
    static bool switchedOff();
    // The entry that holds the password of `user` on `host`.
    static QString keyFor(const QString &host, const QString &user);

    // Whether a Secret Service owns its name on the session bus this process was given and
    // its default collection is unlocked, so storing needs no prompt. Never starts a bus nor
    // the service.
    void probe(const std::function<void(bool)> &done);
    // The last probe's answer; false until one came.
    bool reachable() const { return m_reachable; }

    // Nothing when the keyring holds no such entry or did not answer.
    void read(const QString &key, const std::function<void(std::optional<QString>)> &done);
    // An empty password removes the entry.
    void write(const QString &key, const QString &password, const std::function<void(bool)> &done);

private:
    void ask(const QDBusMessage &message, qint64 deadline,
             const std::function<void(const QDBusMessage &)> &answered,
             const std::function<void()> &refused);
    void run(QKeychain::Job *job, const std::function<void(QKeychain::Job *)> &answered,
             const std::function<void()> &late);

    bool m_reachable = false;
};
