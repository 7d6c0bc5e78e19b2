#pragma once

#include "tests/ftplib/FtpEventRecorder.h"
#include "tests/support/FtpTestServer.h"

#include <QObject>
#include <QTemporaryDir>
#include <memory>

// What the library tests against real servers share: pyftpdlib and vsftpd of one family
// (plain or TLS) started once, and per test function a library session whose events go to
// a fresh recorder, with a fresh local folder.
class FtpServerTest : public QObject
{
protected:
    // For initTestCase(); false, with the reason in `error`, when a server did not start.
    bool startServers(FtpTestServer::Kind pyftpdlib, FtpTestServer::Kind vsftpd, QString &error);
    // For init() and cleanup(); false when the session could not start or end.
    bool openSession();
    bool closeSession();
    FtpTestServer &server(const QString &name);
    // Rows "serverName", "passive", "async": both servers, active and passive, sync and async.
    static void addTransferRows();

    std::unique_ptr<FtpTestServer> m_pyftpdlib;
    std::unique_ptr<FtpTestServer> m_vsftpd;
    std::unique_ptr<FtpEventRecorder> m_events;
    std::unique_ptr<QTemporaryDir> m_local;
};
