#pragma once

#include "ravel/CRavelCtrl.h"
#include "ravel/RavelDispatch.h"

#include <QStringList>
#include <QVariantList>
#include <functional>

class FtpTestServer;

// A host of one component for tests: calls go through the dispatch table as a late-binding
// host's would, and every event is recorded as "Name arg arg ...".
class RavelTestHost
{
public:
    RavelTestHost();

    RavelDispatch::Result call(const QString &name, const QVariantList &args = {});
    RavelDispatch::Result get(const QString &name);
    RavelDispatch::Result set(const QString &name, const QVariant &value);
    // Sets a property that must be accepted.
    void put(const QString &name, const QVariant &value);

    // Logs in to the server in the given mode; true when OnLogin said 3000.
    bool login(const FtpTestServer &server, bool async);
    // Waits until the event named `name` has been recorded `count` times.
    bool waitForEvent(const QString &name, int count = 1, int seconds = 30);
    // Waits until StillExecuting reads False.
    bool waitUntilIdle(int seconds = 30);
    int countEvents(const QString &name) const;
    QStringList eventsNamed(const QString &name) const;

private:
    bool waitFor(const std::function<bool()> &done, int seconds);

public:
    // Declared first so that it outlives the component, whose shutdown may still fire events.
    QStringList events;
    CRavelCtrl ctrl;
};
