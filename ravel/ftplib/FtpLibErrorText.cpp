// The texts of the library's result codes, for LibErrorText.

#include "ravel/ftplib/FtpLib.h"

namespace {

struct ErrorText
{
    int code;
    const char *text;
};

const ErrorText errorTexts[] = {
    {FTPLIB_CANCELBYUSER, "Transfer aborted by user ABOR"},
    {FTPLIB_OK, "Ftp Command Succeeded"},
    {FTPLIB_ENTERPASSWORD, "Server requested a password"},
    {FTPLIB_ACCOUNTNEEDED, "User/Pass OK but Account required"},
    {FTPLIB_RESTARTOK, "Restart command successful"},
    {FTPLIB_ENDOFDATA, "Server has closed the data-conn"},
    {FTPLIB_INVALIDPARAMETER, "Error in Command parameters"},
    {FTPLIB_SESSIONUSED, "User has already a FTP session"},
    {FTPLIB_NOTINITIALIZED, "FtpInit has not been called"},
    {FTPLIB_NOTCONNECTED, "User is not connected to a server"},
    {FTPLIB_CANTOPENFILE, "Can't open specified file"},
    {FTPLIB_CANTWRITE, "Can't write into file (disk full?)"},
    {FTPLIB_NOACTIVESESSION, "FtpRelease without FtpInit"},
    {FTPLIB_STILLCONNECTED, "FtpRelease without any Close"},
    {FTPLIB_SERVERCANTEXECUTE, "File action not taken"},
    {FTPLIB_LOGINREFUSED, "Server rejected Username/Password"},
    {FTPLIB_NOREMOTEFILE, "Server can not open file"},
    {FTPLIB_TRANSFERREFUSED, "Host refused the transfer"},
    {FTPLIB_WINSOCKNOTUSABLE, "A winsock.DLL ver 1.1 is required"},
    {FTPLIB_CANTCLOSE, "Close failed (cmd is in progress)"},
    {FTPLIB_FILELOCKED, "Temporary error during FtpDelete (File Locked)"},
    {FTPLIB_FWLOGINREFUSED, "Proxy/Firewall rejected Username/Password"},
    {FTPLIB_ASYNCMODE, "FtpMGet only in synchronous mode"},
    {FTPLIB_UNKNOWNHOST, "Cannot resolve host address (Unknown Host)"},
    {FTPLIB_NOREPLY, "Host did not respond to last Command"},
    {FTPLIB_CANTCONNECT, "Error during connection"},
    {FTPLIB_CONNECTREJECTED, "Host has no FTP server (Connect rejected"},
    {FTPLIB_SENDREFUSED, "Can't send data (network down)"},
    {FTPLIB_DATACONNECTION, "Connection on data-port failed"},
    {FTPLIB_TIMEOUT, "Timeout occured"},
    {FTPLIB_FWCANTCONNECT, "Error during connection with Proxy"},
    {FTPLIB_FWCONNECTREJECTED, "Proxy/Firewall has no FTP server"},
    {FTPLIB_UNEXPECTEDANSWER, "Answer was not expected"},
    {FTPLIB_CANNOTCHANGETYPE, "Host rejected the TYPE Command"},
    {FTPLIB_CMDNOTIMPLEMENTED, "Host recognized but couldn't execute the Command"},
    {FTPLIB_PWDBADFMT, "PWD cmd OK, but answer has no \""},
    {FTPLIB_PASVCMDNOTIMPL, "Server doesn't support Passive mode"},
    {FTPLIB_TLSREFUSED, "TLS required, but the server refused it"},
    {FTPLIB_UNTRUSTEDCERT, "The server's certificate is not trusted"},
    {FTPLIB_CANTCREATEWINDOW, "Insufficient free resources"},
    {FTPLIB_INSMEMORY, "Insufficient Heap memory"},
    {FTPLIB_CANTCREATESOCKET, "No more sockets"},
    {FTPLIB_CANTBINDSOCKET, "Bind failed"},
    {FTPLIB_SYSTUNKNOWN, "Host system not in the list"},
};

} // namespace

extern "C" {

const char *LibErrorText(int code)
{
    for (const ErrorText &e : errorTexts) {
        if (e.code == code)
            return e.text;
    }
    return "Unknown error";
}
}
