#include "tests/ravel/RavelTestHost.h"

#include "tests/support/FtpTestServer.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace {
QString text(const QVariantList &values)
{
    QStringList parts;
    for (const QVariant &value : values)
        parts << value.toString();
    return parts.join(QLatin1Char(' '));
}
} // namespace

RavelTestHost::RavelTestHost()
{
    const auto record = [this](const QString &name, const QVariantList &args) {
        events << (name + QLatin1Char(' ') + text(args)).trimmed();
    };
    QObject::connect(&ctrl, &CRavelCtrl::OnHostResponse,
                     [=](int code, const QString &command, const QString &response) {
                         record(QStringLiteral("OnHostResponse"), {code, command, response});
                     });
    QObject::connect(&ctrl, &CRavelCtrl::OnDirList,
                     [=](const QString &line, bool complete, int code) {
                         record(QStringLiteral("OnDirList"), {line, complete, code});
                     });
    QObject::connect(&ctrl, &CRavelCtrl::OnLogin,
                     [=](int code) { record(QStringLiteral("OnLogin"), {code}); });
    QObject::connect(&ctrl, &CRavelCtrl::OnFTPError, [=](int code, const QString &message) {
        record(QStringLiteral("OnFTPError"), {code, message});
    });
    QObject::connect(&ctrl, &CRavelCtrl::OnAsyncEvent,
                     [=](qint64 size, qint64 bytes, const QString &command, bool complete) {
                         record(QStringLiteral("OnAsyncEvent"), {size, bytes, command, complete});
                     });
}

RavelDispatch::Result RavelTestHost::call(const QString &name, const QVariantList &args)
{
    return RavelDispatch::invoke(ctrl, name, RavelDispatch::Kind::Call, args);
}

RavelDispatch::Result RavelTestHost::get(const QString &name)
{
    return RavelDispatch::invoke(ctrl, name, RavelDispatch::Kind::Get, {});
}

RavelDispatch::Result RavelTestHost::set(const QString &name, const QVariant &value)
{
    return RavelDispatch::invoke(ctrl, name, RavelDispatch::Kind::Put, {value});
}

void RavelTestHost::put(const QString &name, const QVariant &value)
{
    const RavelDispatch::Result result = set(name, value);
    if (result.error)
        qFatal("setting %s failed: %d %s", qPrintable(name), result.error->number(),
               qPrintable(result.error->description()));
}

bool RavelTestHost::login(const FtpTestServer &server, bool async)
{
    put(QStringLiteral("AsyncMode"), async);
    put(QStringLiteral("Port"), server.port());
    put(QStringLiteral("RemoteHost"), QString::fromLatin1(server.host()));
    put(QStringLiteral("UserName"), QString::fromLatin1(server.user()));
    put(QStringLiteral("PassWord"), QString::fromLatin1(server.password()));
    const int before = countEvents(QStringLiteral("OnLogin"));
    if (call(QStringLiteral("Connect")).error)
        return false;
    return waitForEvent(QStringLiteral("OnLogin"), before + 1) &&
           eventsNamed(QStringLiteral("OnLogin")).last() == QLatin1String("OnLogin 3000");
}

int RavelTestHost::countEvents(const QString &name) const
{
    return int(eventsNamed(name).size());
}

QStringList RavelTestHost::eventsNamed(const QString &name) const
{
    QStringList named;
    for (const QString &event : events)
        if (event == name || event.startsWith(name + QLatin1Char(' ')))
            named << event;
    return named;
}

bool RavelTestHost::waitForEvent(const QString &name, int count, int seconds)
{
    return waitFor([&] { return countEvents(name) >= count; }, seconds);
}

bool RavelTestHost::waitUntilIdle(int seconds)
{
    return waitFor([&] { return !ctrl.StillExecuting(); }, seconds);
}

bool RavelTestHost::waitFor(const std::function<bool()> &done, int seconds)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    const auto check = [&] {
        // Looked at once the notification's handler is done.
        QMetaObject::invokeMethod(
            &loop,
            [&] {
                if (done())
                    loop.quit();
            },
            Qt::QueuedConnection);
    };
    QObject::connect(&ctrl, &CRavelCtrl::activity, &loop, check);
    limit.start(seconds * 1000);
    loop.exec();
    return done();
}
