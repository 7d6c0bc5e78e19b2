#include "upload/ParallelStores.h"

#include "ravel/CRavelCtrl.h"
#include "upload/FtpSite.h"
#include "upload/RavelSession.h"
#include "upload/StoreLane.h"

#include <QEventLoop>
#include <algorithm>

namespace {
// What the other connections take over from the job's own after its login: the same
// server, user, modes and accepted certificates.
constexpr const char *Copied[] = {"RemoteHost",  "UserName",    "PassWord",    "Account",
                                  "Port",        "TimeOut",     "Passive",     "FileType",
                                  "VerboseMode", "UseProxy",    "ProxyHost",   "ProxyPort",
                                  "ProxyType",   "ProxyUserID", "ProxyPassWd", "TrustedFingerprint",
                                  "CaFile"};
} // namespace

ParallelStores::ParallelStores(CRavelCtrl &main, int connections, QObject *parent)
    : QObject(parent), m_main(main), m_connections(connections)
{
}

ParallelStores::~ParallelStores() = default;

ParallelStores::Result ParallelStores::run(const QList<Item> &items, const QString &folder,
                                           const std::function<bool(const Item &)> &skip)
{
    m_items = items;
    m_skip = skip;
    m_lanes.push_back(std::make_unique<StoreLane>(m_main, QString(), StoreLane::State::Ready));
    m_current.push_back(-1);
    connect(m_lanes[0].get(), &StoreLane::stored, this,
            [this](const std::optional<QString> &failure) { onStored(0, failure); });
    // The job's own connection starts while the others log in.
    feed(0);
    openOthers(folder);
    QEventLoop loop;
    m_loop = &loop;
    if (!done())
        loop.exec();
    m_loop = nullptr;
    for (size_t i = 1; i < m_lanes.size(); ++i)
        m_lanes[i]->quit();
    return m_result;
}

void ParallelStores::openOthers(const QString &folder)
{
    RavelSession main(m_main);
    QList<std::pair<QString, QVariant>> settings;
    for (const char *name : Copied)
        settings.append({QLatin1String(name), main.get(QLatin1String(name))});
    // A session the server protected: the others must not settle for less.
    const bool tls = main.get(QStringLiteral("TlsActive")).toBool();
    settings.append({QStringLiteral("Security"),
                     tls ? int(TlsMode::Require) : main.get(QStringLiteral("Security"))});
    settings.append({QStringLiteral("AsyncMode"), true});
    settings.append({QStringLiteral("LogToFile"), false});
    settings.append({QStringLiteral("InitDir"), folder});
    // Each login waits on the component a little, which lets the job's own connection end
    // the whole upload meanwhile.
    for (int i = 1; i < m_connections && !m_stopped; ++i) {
        m_others.push_back(std::make_unique<CRavelCtrl>());
        m_lanes.push_back(std::make_unique<StoreLane>(
            *m_others.back(), QStringLiteral("[%1] ").arg(i + 1), StoreLane::State::Connecting));
        m_current.push_back(-1);
        StoreLane *lane = m_lanes.back().get();
        const size_t index = m_lanes.size() - 1;
        connect(lane, &StoreLane::line, this, &ParallelStores::line);
        connect(lane, &StoreLane::opened, this,
                [this, index](bool accepted) { onOpened(index, accepted); });
        connect(lane, &StoreLane::stored, this,
                [this, index](const std::optional<QString> &failure) { onStored(index, failure); });
        lane->open(settings);
    }
}

void ParallelStores::onOpened(size_t lane, bool accepted)
{
    ++m_answered;
    if (accepted)
        ++m_accepted;
    if (m_answered == m_connections)
        emit line(m_accepted < m_connections
                      ? QStringLiteral("The server accepted %1 of %2 connections: going on with %1")
                            .arg(m_accepted)
                            .arg(m_connections)
                      : QStringLiteral("Sending over %1 connections").arg(m_connections),
                  false);
    feed(lane);
    settle();
}

void ParallelStores::onStored(size_t lane, const std::optional<QString> &failure)
{
    if (m_stopped || m_current[lane] < 0)
        return;
    const Item item = m_items[m_current[lane]];
    m_current[lane] = -1;
    emit stored(item, failure);
    if (m_lanes[lane]->fatal())
        return stop(Result::Fatal);
    feed(lane);
    settle();
}

void ParallelStores::feed(size_t lane)
{
    if (m_stopped || m_lanes[lane]->state() != StoreLane::State::Ready)
        return;
    while (m_next < m_items.size() && m_skip(m_items[m_next]))
        ++m_next;
    if (m_next >= m_items.size())
        return;
    m_current[lane] = m_next++;
    const Item &item = m_items[m_current[lane]];
    emit started(item);
    m_lanes[lane]->store(item.file.localPath, item.file.remoteName);
}

void ParallelStores::cancel()
{
    stop(Result::Cancelled);
}

void ParallelStores::stop(Result result)
{
    if (m_stopped)
        return;
    m_stopped = true;
    m_result = result;
    // The job's own connection is the job's to end.
    for (size_t i = 1; i < m_lanes.size(); ++i)
        m_lanes[i]->close();
    if (m_loop)
        m_loop->quit();
}

bool ParallelStores::done() const
{
    const bool storing = std::any_of(m_lanes.begin(), m_lanes.end(), [](const auto &lane) {
        return lane->state() == StoreLane::State::Storing;
    });
    return m_stopped || (m_answered == m_connections && !storing && m_next >= m_items.size());
}

void ParallelStores::settle()
{
    if (m_loop && done())
        m_loop->quit();
}
