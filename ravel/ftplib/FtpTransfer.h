#pragma once

#include "ravel/ftplib/FtpAsciiCodec.h"
#include "ravel/ftplib/FtpDataConnector.h"
#include "ravel/ftplib/FtpListSplitter.h"
#include "ravel/ftplib/FtpNotify.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <memory>
#include <optional>

class FtpControlConnection;
class FtpInterrupt;
class FtpTls;
struct FtpReply;
class QFileDevice;
class QIODevice;
class QTcpSocket;

// One data transfer on an open control connection: TYPE when it changes, the data connection
// (EPSV or PASV, always to the control connection's peer, or PORT or EPRT on the control
// connection's local address), REST, the command, the data (in TLS after PROT P) streamed in
// chunks, and the final reply. A plain passive store sends its data with the command, before
// the server's 150: that saves a round trip per file. Runs on the caller's thread or on the
// session's transfer thread; FtpInterrupt stops it from another.
class FtpTransfer
{
public:
    enum class Direction
    {
        Send,
        Receive
    };
    struct Request
    {
        Direction direction = Direction::Receive;
        QByteArray command;
        char type = 'I';
        bool passive = false;
        // REST is sent when above 0; progress counts from here.
        qint64 restartAt = 0;
        // Source or sink of the data, open; none when a listing goes to `notify` as lines.
        std::unique_ptr<QIODevice> local;
        // Otherwise a sink opened only once the server has accepted the command, so that a
        // refused download leaves an existing local file as it was.
        QString localName;
        bool append = false;
        // File data whose line ends are converted (TYPE A); a listing stays as it came.
        bool ascii = false;
        // Received data is cut into lines, each posted to `notify` as (0, 0, line).
        bool lines = false;
        // Progress (0, bytes so far) or lines go here; no receiver: nothing is posted.
        FtpNotify notify;
        // The session's TLS, for data connections once PROT P is agreed.
        const FtpTls *tls = nullptr;
    };
    struct Result
    {
        int code = 0;
        qint64 bytes = 0;
        // The server's answer to the command itself, 0 when it gave none.
        int commandReply = 0;
        // What failed on our side, with the address and port tried; empty when nothing did.
        QByteArray failure;
    };

    FtpTransfer(Request request, FtpControlConnection &control, FtpInterrupt &interrupt);
    ~FtpTransfer();
    Result run();
    const Request &request() const { return m_request; }

private:
    Result attempt();
    // Every step of a transfer that may be tried again comes back to its start.
    void restart();
    int setType();
    int openLocal();
    int sendRestart();
    // The server's answer to the command: 0 when it is preliminary, else why it refused.
    int takeCommandReply();
    // A store's command reply that arrived while its data went out: 0 for a 150 (or none yet).
    int answeredMeanwhile();
    // The data connection's TLS handshake when the control connection protects data.
    int secureData();
    int stream();
    int streamSend();
    // Through the socket's buffer: over TLS, in ASCII, or from a source that is not a file.
    int sendThroughSocket();
    // Plain binary data from a local file, straight from the file to the socket in the kernel;
    // nothing when that cannot be done here.
    std::optional<int> sendFromFile();
    // The local file sendFromFile() sends from; null when it would not.
    QFileDevice *plainFile() const;
    // Counts bytes sent and tells progress; a code when the session is lost meanwhile.
    int sentMore(qint64 bytes);
    QByteArray peer() const;
    // Bytes written but not yet handed to the network.
    qint64 queued() const;
    bool encrypted() const;
    int closeSecureSend();
    int streamReceive();
    bool putWire(const char *data, qint64 size);
    bool putLocal(const char *data, qint64 size);
    void take(const char *data, qint64 size);
    // Posts the bytes so far: the first chunk's at once, then at most ten a second; `last`
    // posts what has not been told yet, so progress always reaches the total.
    void progress(bool last = false);
    // The data socket's wait failed: why, as a result code.
    int dataWaitFailure() const;
    Result interrupted();
    Result finish(int code);

    Request m_request;
    FtpControlConnection &m_control;
    FtpInterrupt &m_interrupt;
    FtpDataConnector m_connector;
    // A QSslSocket when the control connection protects data.
    std::unique_ptr<QTcpSocket> m_data;
    FtpListSplitter m_lines;
    FtpAsciiCodec m_ascii;
    QElapsedTimer m_sinceProgress;
    qint64 m_toldBytes = -1;
    Result m_result;
    // The store's data goes out before the command's first reply is read.
    bool m_early = false;
    // The transfer command's first reply is still to come.
    bool m_commandReplyDue = false;
    // The transfer command's closing reply is still to come.
    bool m_finalReplyDue = false;
};
