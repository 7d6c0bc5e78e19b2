#pragma once

#include <QEvent>

// Event numbers shared by the component and its worker. Jobs go to the worker; the
// notifications come back to the component on the host's thread.
namespace RavelMessages {

enum Notification
{
    ListLine = 2026,
    HostReply = 2027,
    TransferProgress = 2028,
    LoginDone = 2029,
    // The library saw the server close the control connection while the worker was idle.
    ConnectionLost = 2030,
    StartWorker = 2031,
    // The worker's own failure report; becomes OnFTPError on the host's thread.
    WorkerError = 2032,
    // The worker ended a job that has no notification of its own.
    JobEnded = 2033,
};

enum Job
{
    Abort = 2224,
    Login = 2225,
    ParentDir = 2226,
    ChangeDir = 2227,
    Delete = 2228,
    IdentifyHost = 2229,
    ReadAddresses = 2230,
    List = 2231,
    DropConnection = 2232,
    MakeDir = 2233,
    CurrentDir = 2234,
    Quit = 2235,
    RawCommand = 2236,
    RestartReceive = 2239,
    RestartSend = 2240,
    Receive = 2241,
    RemoveDir = 2242,
    Rename = 2243,
    AsyncOnOff = 2244,
    LogOnOff = 2245,
    PassiveOnOff = 2246,
    EchoOnOff = 2247,
    Send = 2248,
    SetPort = 2249,
    SetTimeout = 2250,
    Liveness = 2251,
    EndWorker = 2252,
    // Is the link still there after a transfer failed or the library saw it close? Posted by
    // the component, never waited for.
    LossCheck = 2253,
};

// Jobs that always signal success; the others only when the library runs synchronously.
// An abort signals too: the library returns once the server has answered, and a caller
// left waiting out its whole time-out after that would only see the host freeze.
constexpr bool alwaysSignals(Job job)
{
    switch (job) {
    case Abort:
    case ChangeDir:
    case IdentifyHost:
    case ReadAddresses:
    case DropConnection:
    case MakeDir:
    case CurrentDir:
    case RawCommand:
    case AsyncOnOff:
    case LogOnOff:
    case PassiveOnOff:
    case EchoOnOff:
    case SetPort:
    case SetTimeout:
    case Liveness:
    case EndWorker:
        return true;
    default:
        return false;
    }
}

// Asynchronous jobs that the library reports no end of: the worker clears the busy flag.
constexpr bool endsWithoutNotification(Job job)
{
    return job == ParentDir || job == Delete || job == RemoveDir || job == Rename;
}

// Jobs that end with the library's end notification when the library runs asynchronously.
constexpr bool isTransfer(Job job)
{
    return job == Send || job == Receive || job == RestartSend || job == RestartReceive;
}

constexpr QEvent::Type eventType(int number)
{
    return QEvent::Type(number);
}

} // namespace RavelMessages
