#include "ravel/ftplib/FtpNotify.h"

#include <QTest>

// Counts the notifications that reach it.
class Counter : public QObject
{
public:
    int progress = 0;
    int ends = 0;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() != FtpLibNotifyEvent::EventType)
            return QObject::event(e);
        (static_cast<FtpLibNotifyEvent *>(e)->first ? ends : progress)++;
        return true;
    }
};

// A host that lags behind a fast server: droppable notifications stop piling up at the bound,
// the others always arrive, and the bound frees as the host catches up.
class tst_FtpNotify : public QObject
{
    Q_OBJECT
private slots:
    void droppableAreBounded_data();
    void droppableAreBounded();
};

void tst_FtpNotify::droppableAreBounded_data()
{
    QTest::addColumn<int>("posted");
    QTest::addColumn<int>("arriving");
    QTest::newRow("below the bound") << 10 << 10;
    QTest::newRow("flood") << 100000 << int(FtpNotify::MaxPendingDroppable);
}

void tst_FtpNotify::droppableAreBounded()
{
    QFETCH(int, posted);
    QFETCH(int, arriving);
    Counter host;
    const FtpNotify notify{&host, FTPLIB_NOTIFY_TRANSFER};
    for (int i = 0; i < posted; ++i)
        notify.postDroppable(0, i);
    notify.post(1, posted);
    QCOMPARE(FtpNotify::pendingDroppable(), arriving);
    QCoreApplication::sendPostedEvents(&host);
    QCOMPARE(host.progress, arriving);
    QCOMPARE(host.ends, 1);
    QCOMPARE(FtpNotify::pendingDroppable(), 0);
    QVERIFY(notify.postDroppable(0, 1));
    QCoreApplication::sendPostedEvents(&host);
}

QTEST_GUILESS_MAIN(tst_FtpNotify)
#include "tst_FtpNotify.moc"
