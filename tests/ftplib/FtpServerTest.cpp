#include "tests/ftplib/FtpServerTest.h"

#include "ravel/ftplib/FtpLib.h"

#include <QCoreApplication>
#include <QTest>

bool FtpServerTest::startServers(FtpTestServer::Kind pyftpdlib, FtpTestServer::Kind vsftpd,
                                 QString &error)
{
    m_pyftpdlib = std::make_unique<FtpTestServer>(pyftpdlib);
    m_vsftpd = std::make_unique<FtpTestServer>(vsftpd);
    for (FtpTestServer *s : {m_pyftpdlib.get(), m_vsftpd.get()}) {
        if (!s->start()) {
            error = s->errorString();
            return false;
        }
    }
    return true;
}

bool FtpServerTest::openSession()
{
    m_events = std::make_unique<FtpEventRecorder>();
    m_local = std::make_unique<QTemporaryDir>();
    return LibStartSession(m_events.get(), nullptr) == FTPLIB_OK && LibSetTimeout(10) == FTPLIB_OK;
}

bool FtpServerTest::closeSession()
{
    LibDropConnection();
    const bool ended = LibEndSession() == FTPLIB_OK;
    // Events posted after the last wait must not reach a deleted recorder.
    QCoreApplication::removePostedEvents(m_events.get());
    m_events.reset();
    return ended;
}

void FtpServerTest::addTransferRows()
{
    QTest::addColumn<QString>("serverName");
    QTest::addColumn<bool>("passive");
    QTest::addColumn<bool>("async");
    for (const char *name : {"pyftpdlib", "vsftpd"}) {
        for (const bool passive : {false, true}) {
            for (const bool async : {false, true})
                QTest::addRow("%s %s %s", name, passive ? "passive" : "active",
                              async ? "async" : "sync")
                    << QString::fromLatin1(name) << passive << async;
        }
    }
}

FtpTestServer &FtpServerTest::server(const QString &name)
{
    return name == QLatin1String("vsftpd") ? *m_vsftpd : *m_pyftpdlib;
}
