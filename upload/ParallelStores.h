#pragma once

#include "upload/UploadPlan.h"

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CRavelCtrl;
class QEventLoop;
class StoreLane;

// Files of one upload spread over several connections: the job's own, logged in and in the
// album's folder, and others that this logs in with its settings and sends to that folder.
// Each connection takes the next file when its last one has ended; a server that refuses
// some of the logins gets the files over those it accepted.
class ParallelStores : public QObject
{
    Q_OBJECT
public:
    struct Item
    {
        UploadPlan::File file;
        // Whether the job means to send it (see UploadJob's tally).
        bool counted = true;
        // Its place among the pictures, or -1.
        int picture = -1;
    };
    enum class Result
    {
        Done,
        // A connection met a failure that no later file gets past.
        Fatal,
        Cancelled
    };

    // `connections` in all, the job's own `main` among them.
    ParallelStores(CRavelCtrl &main, int connections, QObject *parent = nullptr);
    ~ParallelStores() override;

    // Sends `items` in their order, each once, over every connection that logs in to
    // `folder`; `skip` is asked first about each. Returns when every file has ended and
    // every login was answered, or at the first fatal failure.
    Result run(const QList<Item> &items, const QString &folder,
               const std::function<bool(const Item &)> &skip);
    void cancel();

signals:
    void line(const QString &text, bool progressLine);
    void started(const ParallelStores::Item &item);
    void stored(const ParallelStores::Item &item, const std::optional<QString> &failure);

private:
    void openOthers(const QString &folder);
    void onOpened(size_t lane, bool accepted);
    void onStored(size_t lane, const std::optional<QString> &failure);
    // Hands the lane the next file, if any is left.
    void feed(size_t lane);
    void stop(Result result);
    bool done() const;
    // Ends the wait once done.
    void settle();

    CRavelCtrl &m_main;
    int m_connections;
    // Declared before the lanes, which use them, so they go after them.
    std::vector<std::unique_ptr<CRavelCtrl>> m_others;
    std::vector<std::unique_ptr<StoreLane>> m_lanes;
    std::vector<qsizetype> m_current; // each lane's item, or -1
    QList<Item> m_items;
    qsizetype m_next = 0;
    std::function<bool(const Item &)> m_skip;
    int m_answered = 1;
    int m_accepted = 1;
    bool m_stopped = false;
    Result m_result = Result::Done;
    QEventLoop *m_loop = nullptr;
};
