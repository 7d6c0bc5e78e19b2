#include "ravel/RavelMessages.h"
#include "ravel/RavelNotifyQueue.h"

#include <QTest>
#include <thread>

namespace {

struct Numbered : QEvent
{
    explicit Numbered(int number) : QEvent(QEvent::User), number(number) {}
    const int number;
};

// Stands for the component: drains on Ready and records what it handled, in order.
class Host : public QObject
{
public:
    Host() { queue.setReceiver(this); }

    void produce(int from, int to)
    {
        for (int n = from; n < to; ++n)
            queue.append(std::make_unique<Numbered>(n));
    }
    bool event(QEvent *event) override
    {
        queue.received();
        if (event->type() != RavelNotifyQueue::Ready)
            return QObject::event(event);
        const qsizetype before = seen.size();
        queue.drain([this](QEvent &e) {
            if (e.type() == FtpLibNotifyEvent::EventType) {
                seen << QString::fromUtf8(static_cast<FtpLibNotifyEvent &>(e).received().text);
                return;
            }
            const int n = static_cast<Numbered &>(e).number;
            seen << QString::number(n);
            if (nested == n) {
                // A handler that waits in a loop of its own, as a synchronous call does.
                seen << QStringLiteral("wait");
                const bool came =
                    QTest::qWaitFor([this] { return seen.contains(QStringLiteral("49")); });
                seen << (came ? QStringLiteral("done") : QStringLiteral("timed out"));
            }
        });
        readies += seen.size() > before;
        return true;
    }

    RavelNotifyQueue queue;
    QStringList seen;
    // Ready events that brought something.
    int readies = 0;
    int nested = -1;
};

QStringList numbers(int from, int to)
{
    QStringList list;
    for (int n = from; n < to; ++n)
        list << QString::number(n);
    return list;
}

} // namespace

class tst_RavelNotifyQueue : public QObject
{
    Q_OBJECT
private slots:
    void order_data();
    void order();
    void repliesWaitForTheTransfer();
};

void tst_RavelNotifyQueue::order_data()
{
    QTest::addColumn<int>("nested");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("one batch") << -1 << numbers(0, 50);
    // The handler of 3 waits for 49: the rest of the batch reaches it inside that wait.
    QTest::newRow("handler waits")
        << 3 << numbers(0, 4) + QStringList{"wait"} + numbers(4, 50) + QStringList{"done"};
}

void tst_RavelNotifyQueue::order()
{
    QFETCH(int, nested);
    QFETCH(QStringList, expected);
    Host host;
    host.nested = nested;
    // Everything arrives before the host's thread looks: one wake-up for the whole batch.
    std::thread([&] { host.produce(0, 50); }).join();
    QTRY_COMPARE(host.seen, expected);
    QVERIFY(host.readies <= 2);
}

void tst_RavelNotifyQueue::repliesWaitForTheTransfer()
{
    using namespace RavelMessages;
    Host host;
    // Each comes from the library's thread; then the host's thread looks.
    const auto library = [&](int message, int first, const char *label) {
        std::thread([&] {
            host.queue.take(new FtpLibNotifyEvent(message, first, 0, 0, QByteArray(label)));
        }).join();
        // The second round takes what the host posted to itself in the first, as its event
        // loop does before it sleeps.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    };
    host.queue.deferUntilTransferEnd();
    library(HostReply, 0, "150");
    library(TransferProgress, 0, "progress");
    library(HostReply, 0, "226");
    library(TransferProgress, 1, "end");
    library(HostReply, 0, "after");
    QCOMPARE(host.seen, QStringList({"150", "progress", "226", "end", "after"}));
    QCOMPARE(host.readies, 3);
}

QTEST_GUILESS_MAIN(tst_RavelNotifyQueue)
#include "tst_RavelNotifyQueue.moc"
