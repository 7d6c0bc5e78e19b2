#pragma once

// libravelftp: our FTP client library (RFC 959), loaded by name with QLibrary("ravelftp").
// Resolve each function by its name, or resolve "LibFunctions" once for the whole table.
//
// Sessions: LibStartSession binds a session to the calling thread; every later call except
// LibErrorText must come from that same thread. Results are FTPLIB_OK (0) or a FtpLibCode.
// Strings are UTF-8. Buffers are always NUL-terminated and truncated to fit their size.
//
// Notifications are FtpLibNotifyEvent objects posted with QCoreApplication::postEvent to the
// receiver given with a call; check event->type() == FtpLibNotifyEvent::EventType and then
// static_cast. The receiver must outlive the session. Events may be posted from any library
// thread (the calling thread or the library's transfer thread). A session with a sink
// (LibSetNotifySink) hands every event to the sink instead of posting it.
//
// Asynchronous transfers (async flag non-zero, with a receiver) and listings in asynchronous
// mode (LibAsyncOn, with a receiver) return at once and run on the library's own transfer
// thread, so LibAbort and LibDropConnection can be called while they run. Each ends with
// exactly one end event, also when the server refuses it before any data moves or the call
// itself fails. Any other call made while a transfer runs waits for its end. Synchronous
// transfers post nothing.

#include <QByteArray>
#include <QEvent>
#include <atomic>

#if defined(RAVELFTP_BUILD)
#define FTPLIB_EXPORT __attribute__((visibility("default")))
#else
#define FTPLIB_EXPORT
#endif

class QObject;

// Result codes. The component publishes a code e as e + 3000.
enum FtpLibCode : int
{
    FTPLIB_CANCELBYUSER = -1,
    FTPLIB_OK = 0,
    FTPLIB_ENTERPASSWORD = 1,
    FTPLIB_ACCOUNTNEEDED = 2,
    FTPLIB_RESTARTOK = 3,
    FTPLIB_ENDOFDATA = 4,
    FTPLIB_INVALIDPARAMETER = 1000,
    FTPLIB_SESSIONUSED = 1001,
    FTPLIB_NOTINITIALIZED = 1002,
    FTPLIB_NOTCONNECTED = 1003,
    FTPLIB_CANTOPENFILE = 1004,
    FTPLIB_CANTWRITE = 1005,
    FTPLIB_NOACTIVESESSION = 1006,
    FTPLIB_STILLCONNECTED = 1007,
    FTPLIB_SERVERCANTEXECUTE = 1008,
    FTPLIB_LOGINREFUSED = 1009,
    FTPLIB_NOREMOTEFILE = 1010,
    FTPLIB_TRANSFERREFUSED = 1011,
    FTPLIB_WINSOCKNOTUSABLE = 1012,
    FTPLIB_CANTCLOSE = 1013,
    FTPLIB_FILELOCKED = 1014,
    FTPLIB_FWLOGINREFUSED = 1015,
    FTPLIB_ASYNCMODE = 1016,
    FTPLIB_UNKNOWNHOST = 2001,
    FTPLIB_NOREPLY = 2002,
    FTPLIB_CANTCONNECT = 2003,
    FTPLIB_CONNECTREJECTED = 2004,
    FTPLIB_SENDREFUSED = 2005,
    FTPLIB_DATACONNECTION = 2006,
    FTPLIB_TIMEOUT = 2007,
    FTPLIB_FWCANTCONNECT = 2008,
    FTPLIB_FWCONNECTREJECTED = 2009,
    FTPLIB_UNEXPECTEDANSWER = 3001,
    FTPLIB_CANNOTCHANGETYPE = 3002,
    FTPLIB_CMDNOTIMPLEMENTED = 3003,
    FTPLIB_PWDBADFMT = 3004,
    FTPLIB_PASVCMDNOTIMPL = 3005,
    FTPLIB_TLSREFUSED = 3006,    // TLS required, and the server refused AUTH TLS or PROT P
    FTPLIB_UNTRUSTEDCERT = 3007, // the certificate did not verify and is not a trusted one
    FTPLIB_CANTCREATEWINDOW = 5002,
    FTPLIB_INSMEMORY = 5003,
    FTPLIB_CANTCREATESOCKET = 5004,
    FTPLIB_CANTBINDSOCKET = 5005,
    FTPLIB_SYSTUNKNOWN = 5006,
};

// Notification numbers: the `message` a caller hands in with its receiver (any number works;
// these are the ones the component uses).
enum FtpLibNotification : int
{
    FTPLIB_NOTIFY_LIST = 2026,     // first 0: text = one listing line; first 1: end, code set
    FTPLIB_NOTIFY_REPLY = 2027,    // text = one whole server reply, lines joined by CR LF
    FTPLIB_NOTIFY_TRANSFER = 2028, // first 0: second = bytes so far (the first chunk, then at
                                   // most ten a second); first 1: end, second = bytes or -1 on
                                   // failure, code set
    FTPLIB_NOTIFY_LOGIN = 2029,    // second = code = the login result
    FTPLIB_NOTIFY_LOST = 2030,     // the server closed the control connection while no call
                                   // was running; second = code = FTPLIB_NOTCONNECTED
};

// Firewall login types of LibFirewallLogin.
enum FtpLibFirewall : int
{
    FTPLIB_FW_SITE = 100,         // log in to the proxy, "SITE host", then the user
    FTPLIB_FW_OPEN = 103,         // log in to the proxy, "OPEN host", then the user
    FTPLIB_FW_USER_LOGON = 106,   // log in to the proxy, then "USER user@host"
    FTPLIB_FW_USER_NOLOGON = 109, // "USER user@host" straight away
};

// Security modes of LibSetSecurity.
enum FtpLibSecurity : int
{
    FTPLIB_SECURITY_PLAIN = 0,       // no TLS
    FTPLIB_SECURITY_IFAVAILABLE = 1, // AUTH TLS; a server that refuses it gets a plain session
    FTPLIB_SECURITY_REQUIRED = 2,    // AUTH TLS; a refusal ends the login before USER
};

// One notification. `message` is the number the caller handed in; `first` and `second` are
// the two words described above; `code` is the result code of an end (0 = success). Read it
// through received(): Qt's event queue orders the posting thread's writes before the
// receiver's reads in a way ThreadSanitizer cannot see, and this pair shows it the order.
struct FtpLibNotifyEvent : QEvent
{
    static constexpr QEvent::Type EventType = QEvent::Type(QEvent::User + 2026);

    FtpLibNotifyEvent(int message, long long first, long long second, int code,
                      const QByteArray &text)
        : QEvent(EventType), message(message), first(first), second(second), code(code), text(text)
    {
        m_posted.store(true, std::memory_order_release);
    }

    const FtpLibNotifyEvent &received() const
    {
        m_posted.load(std::memory_order_acquire);
        return *this;
    }

    int message;
    long long first;
    long long second;
    int code;
    QByteArray text;

private:
    std::atomic<bool> m_posted{false};
};

// Takes a session's notifications in place of posting them: on the library thread that
// makes each one, in the order they are made; the sink owns each event from then on.
class FtpLibNotifySink
{
public:
    virtual void take(FtpLibNotifyEvent *event) = 0;

protected:
    ~FtpLibNotifySink() = default;
};

// Returns an identifier of the calling thread; written into the session transcript.
typedef unsigned long (*FtpLibThreadIdFn)(void);

extern "C" {

// Starts the calling thread's session; receiver is where the reply echo goes unless
// LibSetReplyEcho names another, and where FTPLIB_NOTIFY_LOST goes. FTPLIB_SESSIONUSED when
// the thread already has one.
FTPLIB_EXPORT int LibStartSession(QObject *receiver, FtpLibThreadIdFn threadId);
// Ends the session; FTPLIB_STILLCONNECTED (and nothing ended) while connected.
FTPLIB_EXPORT int LibEndSession(void);
// Posts every server reply to receiver as `message` while on is non-zero.
FTPLIB_EXPORT int LibSetReplyEcho(int on, QObject *receiver, int message);
// Every later notification of the session, whatever its receiver, goes to sink (null: posted
// again). The sink must outlive the session.
FTPLIB_EXPORT int LibSetNotifySink(FtpLibNotifySink *sink);
// Seconds to wait for the server at each step; 0 or less selects the default of 30.
FTPLIB_EXPORT int LibSetTimeout(int seconds);
// Control port of the next login; 0 selects 21.
FTPLIB_EXPORT int LibSetPort(int port);
// Non-zero: PASV data connections; zero (the default): active PORT connections.
FTPLIB_EXPORT int LibSetPassive(int on);
// Listings with a receiver run on the library's thread; logins also post their result.
FTPLIB_EXPORT int LibAsyncOn(void);
// Listings block the caller (the default).
FTPLIB_EXPORT int LibAsyncOff(void);
// Size in bytes of the current or last transfer (local size for sends, server's for receives).
FTPLIB_EXPORT long long LibTransferSize(void);
// Writes the session transcript to an open file descriptor (never closed by the library);
// -1 stops.
FTPLIB_EXPORT int LibSetLogFile(int fd);
// Forgets a running transfer and unread input after the link was lost.
FTPLIB_EXPORT int LibResetAfterLoss(void);
// Connects and logs in; FTPLIB_ACCOUNTNEEDED when the server asks for ACCT. Blocks in both
// modes; in asynchronous mode the result is also posted to receiver as `message`.
FTPLIB_EXPORT int LibLogin(const char *host, const char *user, const char *password,
                           QObject *receiver, int message);
// Logs in through a proxy (type: FtpLibFirewall) listening on proxyHost:proxyPort (0 = 21).
FTPLIB_EXPORT int LibFirewallLogin(const char *proxyHost, const char *proxyUser,
                                   const char *proxyPassword, const char *host, const char *user,
                                   const char *password, int type, int proxyPort, QObject *receiver,
                                   int message);
// Sends QUIT and closes the connection.
FTPLIB_EXPORT int LibQuit(void);
// Closes the connection locally without a word to the server; stops a running transfer.
FTPLIB_EXPORT int LibDropConnection(void);
// DELE name.
FTPLIB_EXPORT int LibDelete(const char *name);
// CWD dir.
FTPLIB_EXPORT int LibChangeDir(const char *dir);
// RMD dir.
FTPLIB_EXPORT int LibRemoveDir(const char *dir);
// ACCT account, after a login answered FTPLIB_ACCOUNTNEEDED.
FTPLIB_EXPORT int LibSendAccount(const char *account);
// CDUP.
FTPLIB_EXPORT int LibParentDir(void);
// RNFR oldName, RNTO newName.
FTPLIB_EXPORT int LibRename(const char *oldName, const char *newName);
// TYPE 'A' or 'I' (sent only when it changes).
FTPLIB_EXPORT int LibSetType(char type);
// Sends one command line; returns the reply code (0 when no reply came). reply (may be null)
// gets the whole reply, lines joined by CR LF.
FTPLIB_EXPORT int LibCommand(const char *command, char *reply, int size);
// SYST matched against names (ended by a null or empty entry): the index of the first name
// that the reply contains, or the number of names when none does.
FTPLIB_EXPORT int LibSystemType(const char *const *names);
// PWD; buffer gets the directory.
FTPLIB_EXPORT int LibCurrentDir(char *buffer, int size);
// MKD name; buffer gets the created directory's name as the server reports it.
FTPLIB_EXPORT int LibMakeDir(const char *name, char *buffer, int size);
// ABOR: stops the running transfer (its end notification says -1, code FTPLIB_CANCELBYUSER);
// returns when the server has answered.
FTPLIB_EXPORT int LibAbort(void);
// RETR remote into the new local file, with type 'A' or 'I'.
FTPLIB_EXPORT int LibReceive(const char *remote, const char *local, char type, int async,
                             QObject *receiver, int message);
// RETR remote, appended to the local file.
FTPLIB_EXPORT int LibReceiveAppend(const char *remote, const char *local, char type, int async,
                                   QObject *receiver, int message);
// REST offset, RETR remote, written to the open descriptor fd at its current position (the
// caller positions it at offset and closes it). Progress counts from offset.
FTPLIB_EXPORT int LibRestartReceive(const char *remote, int fd, char type, int async,
                                    long long offset, QObject *receiver, int message);
// STOR of the local file as remote, or STOU when unique is non-zero (the server picks the name).
FTPLIB_EXPORT int LibSend(const char *local, const char *remote, char type, int async, int unique,
                          QObject *receiver, int message);
// APPE of the local file.
FTPLIB_EXPORT int LibSendAppend(const char *local, const char *remote, char type, int async,
                                QObject *receiver, int message);
// REST at fd's current position, STOR remote from fd (the caller positions and closes it);
// size is the whole file's size. Progress counts from the position.
FTPLIB_EXPORT int LibRestartSend(int fd, const char *remote, char type, int async, long long size,
                                 QObject *receiver, int message);
// LIST (longList non-zero) or NLST of path (null or empty: the current directory). With a
// file: the listing is written there. With a receiver: one event per line, then an end
// event. Returns -1 when there was nothing to list.
FTPLIB_EXPORT int LibList(const char *path, const char *file, int longList, QObject *receiver,
                          int message);
// name gets the server's host name as given at login, address its IPv4 address.
FTPLIB_EXPORT int LibRemoteHost(char *name, int size, unsigned char address[4]);
// The last reply line with its code ("550 No such file"), or "" when no reply came or the
// reply had no text after its code. Valid until the thread's next library call.
FTPLIB_EXPORT const char *LibLastReply(void);
// The text of a result code; any thread.
FTPLIB_EXPORT const char *LibErrorText(int code);
// What failed on our side in the last call, beyond its code, e.g. the data connection's
// address and port and why it failed; "" when nothing did. An asynchronous transfer's end
// notification carries the same text. Valid until the thread's next library call.
FTPLIB_EXPORT const char *LibLastFailure(void);
// The calling thread's session, for LibCancelLogin; null when it has none.
FTPLIB_EXPORT void *LibSessionHandle(void);
// Any thread, while the session lives: the login running in it (or its next one, until
// LibDropConnection) fails at once with FTPLIB_CANCELBYUSER and closes the connection.
FTPLIB_EXPORT int LibCancelLogin(void *session);
// Non-zero: an asynchronous transfer runs to its end on the calling thread before the call
// returns, and tells of itself as any asynchronous one does; another thread stops it with
// LibInterrupt. Zero (the default): it runs on the session's transfer thread.
FTPLIB_EXPORT int LibSetInlineAsync(int on);
// Any thread, while the session lives: stops the running transfer, or the next one to start,
// as LibAbort (drop zero) or LibDropConnection (drop non-zero) would; the session's next
// LibAbort or LibDropConnection then only completes it.
FTPLIB_EXPORT int LibInterrupt(void *session, int drop);

// TLS of the next login (FtpLibSecurity); FTPLIB_SECURITY_PLAIN is the default.
FTPLIB_EXPORT int LibSetSecurity(int mode);
// SHA-256 fingerprints (hex, either case, colons allowed; separated by commas, semicolons or
// spaces) of certificates accepted although they do not verify; null or "" clears them.
FTPLIB_EXPORT int LibSetTrustedFingerprints(const char *list);
// Adds the certificates of a PEM file to those the system trusts, for this session.
FTPLIB_EXPORT int LibAddCaFile(const char *path);
// The last login's server certificate: its SHA-256 fingerprint (lowercase hex), and why it did
// not verify ("" when it did). Valid until the thread's next library call.
FTPLIB_EXPORT const char *LibPeerFingerprint(void);
FTPLIB_EXPORT const char *LibCertificateError(void);
// The last login's server certificate in PEM, "" before one.
FTPLIB_EXPORT const char *LibPeerCertificate(void);
// Non-zero while the control connection is in TLS.
FTPLIB_EXPORT int LibTlsActive(void);

// Every function of the library, for one QLibrary::resolve("LibFunctions").
struct FtpLibFunctions
{
    decltype(&LibStartSession) StartSession;
    decltype(&LibEndSession) EndSession;
    decltype(&LibSetReplyEcho) SetReplyEcho;
    decltype(&LibSetTimeout) SetTimeout;
    decltype(&LibSetPort) SetPort;
    decltype(&LibSetPassive) SetPassive;
    decltype(&LibAsyncOn) AsyncOn;
    decltype(&LibAsyncOff) AsyncOff;
    decltype(&LibTransferSize) TransferSize;
    decltype(&LibSetLogFile) SetLogFile;
    decltype(&LibResetAfterLoss) ResetAfterLoss;
    decltype(&LibLogin) Login;
    decltype(&LibFirewallLogin) FirewallLogin;
    decltype(&LibQuit) Quit;
    decltype(&LibDropConnection) DropConnection;
    decltype(&LibDelete) Delete;
    decltype(&LibChangeDir) ChangeDir;
    decltype(&LibRemoveDir) RemoveDir;
    decltype(&LibSendAccount) SendAccount;
    decltype(&LibParentDir) ParentDir;
    decltype(&LibRename) Rename;
    decltype(&LibSetType) SetType;
    decltype(&LibCommand) Command;
    decltype(&LibSystemType) SystemType;
    decltype(&LibCurrentDir) CurrentDir;
    decltype(&LibMakeDir) MakeDir;
    decltype(&LibAbort) Abort;
    decltype(&LibReceive) Receive;
    decltype(&LibReceiveAppend) ReceiveAppend;
    decltype(&LibRestartReceive) RestartReceive;
    decltype(&LibSend) Send;
    decltype(&LibSendAppend) SendAppend;
    decltype(&LibRestartSend) RestartSend;
    decltype(&LibList) List;
    decltype(&LibRemoteHost) RemoteHost;
    decltype(&LibLastReply) LastReply;
    decltype(&LibErrorText) ErrorText;
    decltype(&LibLastFailure) LastFailure;
    decltype(&LibSessionHandle) SessionHandle;
    decltype(&LibCancelLogin) CancelLogin;
    decltype(&LibSetSecurity) SetSecurity;
    decltype(&LibSetTrustedFingerprints) SetTrustedFingerprints;
    decltype(&LibAddCaFile) AddCaFile;
    decltype(&LibPeerFingerprint) PeerFingerprint;
    decltype(&LibCertificateError) CertificateError;
    decltype(&LibTlsActive) TlsActive;
    decltype(&LibPeerCertificate) PeerCertificate;
    decltype(&LibSetNotifySink) SetNotifySink;
    decltype(&LibSetInlineAsync) SetInlineAsync;
    decltype(&LibInterrupt) Interrupt;
};

// The table above, filled.
FTPLIB_EXPORT const FtpLibFunctions *LibFunctions(void);
}
