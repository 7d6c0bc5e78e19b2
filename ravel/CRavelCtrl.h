#pragma once

#include "ravel/RavelArguments.h"
#include "ravel/RavelError.h"
#include "ravel/RavelJobRunner.h"
#include "ravel/RavelMessages.h"
#include "ravel/RavelNotifications.h"
#include "ravel/RavelState.h"

#include <QDateTime>
#include <QFile>
#include <QObject>
#include <QVariant>
#include <memory>
#include <optional>

class RavelJobEvent;

// The Ravel FTP client component. It lives on the host's thread; every FTP operation runs
// as a job on its worker (CRavelThread). The published names are those of the properties,
// invokable methods and signals below; RavelDispatch binds them late by name or DISPID.
// Misuse raises a RavelError (see takeError()); FTP failures arrive as OnFTPError/OnLogin.
class CRavelCtrl : public QObject
{
    Q_OBJECT
    // Saved settings are written straight into the properties, without the setters' jobs.
    friend class RavelPersistence;

    Q_CLASSINFO("ProgID", "Ravel.RavelCtrl.1")
    Q_CLASSINFO("TypeName", "Ravel Control")
    Q_CLASSINFO("TypeLibrary", "RavelLib")
    Q_CLASSINFO("TypeLibraryVersion", "1.0")
    Q_CLASSINFO("TypeLibraryDescription", "Ravel ActiveX Control module")
    Q_CLASSINFO("TypeLibraryHelpFile", "Ravel.hlp")
    Q_CLASSINFO("CoClass", "Ravel")
    Q_CLASSINFO("CoClassDescription", "Ravel Control")
    Q_CLASSINFO("DispatchInterface", "_DRavel")
    Q_CLASSINFO("DispatchInterfaceDescription", "Dispatch interface for Ravel Control")
    Q_CLASSINFO("EventInterface", "_DRavelEvents")
    Q_CLASSINFO("EventInterfaceDescription", "Event interface for Ravel Control")

    // Properties: "DispId:" and "Help:" entries feed the dispatch table and the host.
    Q_CLASSINFO("DispId:RemoteHost", "1")
    Q_CLASSINFO("Help:RemoteHost", "The URL for the remote host.")
    Q_CLASSINFO("DispId:UserName", "2")
    Q_CLASSINFO("Help:UserName", "Your Username for remote server logon.")
    Q_CLASSINFO("DispId:PassWord", "3")
    Q_CLASSINFO("Help:PassWord", "Your Password for remote server logon.")
    Q_CLASSINFO("DispId:StillExecuting", "4")
    Q_CLASSINFO("Help:StillExecuting", "The previous command is still executing.")
    Q_CLASSINFO("DispId:HostType", "5")
    Q_CLASSINFO("Help:HostType", "The remote host Operating System type i.e UNIX ,NT")
    Q_CLASSINFO("DispId:RemoteFile", "6")
    Q_CLASSINFO("Help:RemoteFile", "The Source/Target remote filename.")
    Q_CLASSINFO("DispId:LocalFile", "7")
    Q_CLASSINFO("Help:LocalFile", "The Source/Target local filename.")
    Q_CLASSINFO("DispId:Account", "8")
    Q_CLASSINFO("Help:Account", "Your Account name for the remote host. Usually not required.")
    Q_CLASSINFO("DispId:InitDir", "9")
    Q_CLASSINFO("Help:InitDir", "The Directory the remote host should go to on Logon.")
    Q_CLASSINFO("DispId:Connected", "10")
    Q_CLASSINFO("Help:Connected", "Is Ravel currently connected to a remote host.")
    Q_CLASSINFO("DispId:Passive", "11")
    Q_CLASSINFO("Help:Passive", "Set Passive mode (Thru Proxy).")
    Q_CLASSINFO("DispId:UseProxy", "12")
    Q_CLASSINFO("Help:UseProxy", "Connect through your Sites Proxy host server.")
    Q_CLASSINFO("DispId:ProxyUserID", "13")
    Q_CLASSINFO("Help:ProxyUserID", "Your Username for logon to your Sites Local Proxy host.")
    Q_CLASSINFO("DispId:ProxyPassWd", "14")
    Q_CLASSINFO("Help:ProxyPassWd", "Your Password for Local Proxy host.")
    Q_CLASSINFO("DispId:ProxyPort", "15")
    Q_CLASSINFO("Help:ProxyPort",
                "The port number for your local Proxy host(get from your administrator).")
    Q_CLASSINFO("DispId:ProxyHost", "16")
    Q_CLASSINFO("Help:ProxyHost", "The Name of your Proxy host")
    Q_CLASSINFO("DispId:ProxyType", "17")
    Q_CLASSINFO("Help:ProxyType", "Select one of the 4 Proxy HostTypes")
    Q_CLASSINFO("DispId:VerboseMode", "18")
    Q_CLASSINFO("Help:VerboseMode",
                "Turn on/off VerboseText Events (to monitor remote host responses).")
    Q_CLASSINFO("DispId:AsyncMode", "19")
    Q_CLASSINFO("Help:AsyncMode", "Enable Asynchronous File transfers.")
    Q_CLASSINFO("DispId:LongDirs", "20")
    Q_CLASSINFO("Help:LongDirs",
                "Full directory listings or Filenames only in the OnDirList event.")
    Q_CLASSINFO("DispId:FileType", "21")
    Q_CLASSINFO("Help:FileType", "ASCII or Binary file Transfers (must be Binary for Restart).")
    Q_CLASSINFO("DispId:AppendToFile", "22")
    Q_CLASSINFO("Help:AppendToFile", "Append transfer to Target File")
    Q_CLASSINFO("DispId:Port", "23")
    Q_CLASSINFO("Help:Port", "The Ftp Port number (should always be 21).")
    Q_CLASSINFO("DispId:TimeOut", "24")
    Q_CLASSINFO("Help:TimeOut", "The elapsed time (in seconds) before a timeout error occurs "
                                "while waiting for a host response.")
    Q_CLASSINFO("DispId:LogFileName", "25")
    Q_CLASSINFO("Help:LogFileName", "Set or Read the Logfile name")
    Q_CLASSINFO("DispId:LogToFile", "26")
    Q_CLASSINFO("Help:LogToFile", "Turns Logging on and off")
    Q_CLASSINFO("DispId:BytesXfered", "27")
    Q_CLASSINFO("Help:BytesXfered", "Bytes transferred so far on current file.")
    Q_CLASSINFO("DispId:LocalIPAddress", "28")
    Q_CLASSINFO("Help:LocalIPAddress",
                "Returns the IP Address for the local connection (only after a connect)")
    Q_CLASSINFO("DispId:RemoteIPAddress", "29")
    Q_CLASSINFO("Help:RemoteIPAddress",
                "Returns the IP Address for the Remote Host (only after a connect)")
    Q_CLASSINFO("DispId:RemoteHName", "30")
    Q_CLASSINFO("Help:RemoteHName", "Returns the Remote hosts Domain Name.")
    Q_CLASSINFO("DispId:LocalHName", "31")
    Q_CLASSINFO("Help:LocalHName", "Returns the Domain Name for the local connection.")
    Q_CLASSINFO("DispId:xFerInProgress", "32")
    Q_CLASSINFO("Help:xFerInProgress",
                "Ravel sets this to True when a file transfer is in progress.")
    Q_CLASSINFO("DispId:RESTSupported", "33")
    Q_CLASSINFO("Help:RESTSupported", "Ravel queries the Remote Server on Login whether or not "
                                      "it support the FTP REST[ART] command.")

    // Methods.
    Q_CLASSINFO("DispId:CWD", "34")
    Q_CLASSINFO("Help:CWD", "Change Working Directory to DirName.")
    Q_CLASSINFO("DispId:RNFR", "35")
    Q_CLASSINFO("Help:RNFR", "Rename Remote file from RemoteFile to NewFile.")
    Q_CLASSINFO("DispId:Connect", "36")
    Q_CLASSINFO("Help:Connect", "Connect to remote Host.")
    Q_CLASSINFO("DispId:ShowPropPage", "37")
    Q_CLASSINFO("Help:ShowPropPage", "Show Ravels Property pages dialog.")
    Q_CLASSINFO("DispId:QUIT", "38")
    Q_CLASSINFO("Help:QUIT", "Send a QUIT Command (disconnect) to the remote host.")
    Q_CLASSINFO("DispId:ABOR", "39")
    Q_CLASSINFO("Help:ABOR", "Abort the current Asynchronous operation.")
    Q_CLASSINFO("DispId:PWD", "40")
    Q_CLASSINFO("Help:PWD", "Get the current working directory name.")
    Q_CLASSINFO("DispId:CDUP", "41")
    Q_CLASSINFO("Help:CDUP", "Move up to the parent of this directory.")
    Q_CLASSINFO("DispId:RETR", "42")
    Q_CLASSINFO("Help:RETR", "Retrieve a file from the remote Host.")
    Q_CLASSINFO("DispId:DELE", "43")
    Q_CLASSINFO("Help:DELE", "Delete the specified file on the remote Host.")
    Q_CLASSINFO("DispId:LIST", "44")
    Q_CLASSINFO("Help:LIST", "List the directory on the remote Host.")
    Q_CLASSINFO("DispId:STOR", "45")
    Q_CLASSINFO("Help:STOR", "Store a file to the remote host.")
    Q_CLASSINFO("DispId:RMD", "46")
    Q_CLASSINFO("Help:RMD", "Remove the specified directory from the remote host.")
    Q_CLASSINFO("DispId:RESTSTOR", "47")
    Q_CLASSINFO("Help:RESTSTOR", "Restart a failed file upload.")
    Q_CLASSINFO("DispId:RESTRETR", "48")
    Q_CLASSINFO("Help:RESTRETR", "Restart a failed file download.")
    Q_CLASSINFO("DispId:LocalClose", "49")
    Q_CLASSINFO("Help:LocalClose", "Last resort; if QUIT fails.")
    Q_CLASSINFO("DispId:CheckRemoteConnection", "50")
    Q_CLASSINFO("Help:CheckRemoteConnection", "Checks that a connection exists to the "
                                              "RemoteHost by sending a NOOP instruction.")
    Q_CLASSINFO("DispId:GetErrString", "51")
    Q_CLASSINFO("Help:GetErrString", "Returns an RAVEL ErrorString from an FTP Error Code.")
    Q_CLASSINFO("DispId:SIZE", "52")
    Q_CLASSINFO("Help:SIZE", "Returns the SIZE of the RemoteFile if the RemoteHost supports "
                             "this Command.")
    Q_CLASSINFO("DispId:SIZELocal", "53")
    Q_CLASSINFO("Help:SIZELocal", "Returns the SIZE of the LocalFile in Bytes.")
    Q_CLASSINFO("DispId:MDTM", "54")
    Q_CLASSINFO("Help:MDTM", "Returns the Date the Remotefile was last Modified.")
    Q_CLASSINFO("DispId:MDTMLocal", "55")
    Q_CLASSINFO("Help:MDTMLocal", "Get the Date this file was Last Modified.")
    Q_CLASSINFO("DispId:QUOT", "56")
    Q_CLASSINFO("Help:QUOT", "Send a Quoted Command (CmdString) to the RemoteHost.")
    Q_CLASSINFO("DispId:MKD", "57")
    Q_CLASSINFO("Help:MKD", "Make specified (DirName) remote directory.")
    Q_CLASSINFO("DispId:AboutBox", "-552")

    // Added after the members above, which keep their numbers.
    Q_CLASSINFO("DispId:Security", "58")
    Q_CLASSINFO("Help:Security", "0: plain FTP; 1: TLS if the server offers it; 2: TLS required.")
    Q_CLASSINFO("DispId:TrustedFingerprint", "59")
    Q_CLASSINFO("Help:TrustedFingerprint",
                "SHA-256 fingerprint(s) of a server certificate to accept although it does not "
                "verify.")
    Q_CLASSINFO("DispId:PeerFingerprint", "60")
    Q_CLASSINFO("Help:PeerFingerprint", "SHA-256 fingerprint of the server's certificate seen "
                                        "by the last Connect.")
    Q_CLASSINFO("DispId:TlsActive", "61")
    Q_CLASSINFO("Help:TlsActive", "True while the connection is protected by TLS.")
    Q_CLASSINFO("DispId:CaFile", "62")
    Q_CLASSINFO("Help:CaFile", "A PEM file of certificates to trust beside the system's.")

    // Events: their own DISPID space.
    Q_CLASSINFO("EventDispId:OnHostResponse", "1")
    Q_CLASSINFO("Help:OnHostResponse", "Fires on Host responses to FTP commands (See RFC959).")
    Q_CLASSINFO("EventDispId:OnDirList", "2")
    Q_CLASSINFO("Help:OnDirList", "Fires when the FTP LIST command completes.")
    Q_CLASSINFO("EventDispId:OnLogin", "3")
    Q_CLASSINFO("Help:OnLogin", "Fires when the Connect method completes.")
    Q_CLASSINFO("EventDispId:OnFTPError", "4")
    Q_CLASSINFO("Help:OnFTPError", "Fires when an TCP/FTP related error occurs.")
    Q_CLASSINFO("EventDispId:OnAsyncEvent", "5")
    Q_CLASSINFO("Help:OnAsyncEvent", "Monitors Asynchronous (Only) file xFer progress. Include "
                                     "FileSize, BytesSoFar and Complete arguments.")
    Q_CLASSINFO("EventDispId:Error", "-608")

    // Enumerations' help strings.
    Q_CLASSINFO("Help:RAVEL_TYPE_ASCII", "ASCII File type")
    Q_CLASSINFO("Help:RAVEL_TYPE_BINARY", "Binary File type")
    Q_CLASSINFO("Help:RAVEL_FWSITE", "SITE Hostname")
    Q_CLASSINFO("Help:RAVEL_FWPROXY", "Proxy OPEN")
    Q_CLASSINFO("Help:RAVEL_FWUSERWITHLOGON", "USER After Logon")
    Q_CLASSINFO("Help:RAVEL_FWUSERNOLOGON", "USER Without Logon")
    Q_CLASSINFO("Help:RAVEL_HOSTTYPE_CHAMELEON", "Chameleon")
    Q_CLASSINFO("Help:RAVEL_HOSTTYPE_PCTCP", "FTP PC-TCP")
    Q_CLASSINFO("Help:RAVEL_HOSTTYPE_IBM_TCP", "IBM-PC TCP/IP")
    Q_CLASSINFO("Help:RAVEL_HOSTTYPE_IBM_VM", "IBM-VM/MVS")
    Q_CLASSINFO("Help:RAVEL_HOSTTYPE_NOS", "KA9Q/NOS")
    Q_CLASSINFO("Help:RAVEL_HOSTTYPE_NCSA", "NCSA/CUTCP")
    Q_CLASSINFO("Help:RAVEL_HOSTTYPE_SINTFTPD", "SI NT FTPD")
    Q_CLASSINFO("Help:RAVEL_HOSTTYPE_SUPER", "Super TCP")
    Q_CLASSINFO("Help:RAVEL_HOSTTYPE_U5000", "Unisys 5000 (EXOS)")
    Q_CLASSINFO("Help:RAVEL_HOSTTYPE_UNIX", "UNIX (default)")
    Q_CLASSINFO("Help:RAVEL_HOSTTYPE_VMS_MULTINET", "VMS-Multinet")
    Q_CLASSINFO("Help:RAVEL_HOSTTYPE_VMS_UCX", "VMS-UCX")
    Q_CLASSINFO("Help:RAVEL_HOSTTYPE_VMS_OTHER", "VMS-Other")
    Q_CLASSINFO("Help:RAVEL_HOSTTYPE_QVT", "WinQVT/Net")
    Q_CLASSINFO("Help:RAVEL_HOSTTYPE_WINNT", "Windows NT")
    Q_CLASSINFO("Help:RAVEL_HOSTTYPE_SOLARIS", "Solaris - Unix")
    Q_CLASSINFO("Help:RAVEL_HOSTTYPE_INNOV_WINNT", "Windows NT - Software Innovations")
    Q_CLASSINFO("Help:RAVEL_HOSTTYPE_OS2_L8", "OS2 PC Type L8")
    Q_CLASSINFO("Help:RAVEL_HOSTTYPE_NETWARE", "NetWare system type.")
    Q_CLASSINFO("Help:RAVEL_HOSTTYPE_MSDOS_REFLECT", "MSDOS Reflection FTP Server")
    Q_CLASSINFO("Help:RAVEL_HOSTTYPE_NONE", "UnSupported Host")
    Q_CLASSINFO("Help:RAVELERR_OK", "Ftp Command Succeeded")
    Q_CLASSINFO("Help:RAVELERR_ENTERPASSWORD", "Server requested a password")
    Q_CLASSINFO("Help:RAVELERR_ACCOUNTNEEDED", "User/Pass OK but Account required")
    Q_CLASSINFO("Help:RAVELERR_RESTARTOK", "Restart command successful")
    Q_CLASSINFO("Help:RAVELERR_ENDOFDATA", "Server has closed the data-conn")
    Q_CLASSINFO("Help:RAVELERR_CANCELBYUSER", "Transfer aborted by user ABOR")
    Q_CLASSINFO("Help:RAVELERR_INVALIDPARAMETER", "Error in Command parameters")
    Q_CLASSINFO("Help:RAVELERR_SESSIONUSED", "User has already a FTP session")
    Q_CLASSINFO("Help:RAVELERR_NOTINITIALIZED", "FtpInit has not been called")
    Q_CLASSINFO("Help:RAVELERR_NOTCONNECTED", "User is not connected to a server")
    Q_CLASSINFO("Help:RAVELERR_CANTOPENFILE", "Can't open specified file")
    Q_CLASSINFO("Help:RAVELERR_CANTWRITE", "Can't write into file (disk full?)")
    Q_CLASSINFO("Help:RAVELERR_NOACTIVESESSION", "FtpRelease without FtpInit")
    Q_CLASSINFO("Help:RAVELERR_STILLCONNECTED", "FtpRelease without any Close")
    Q_CLASSINFO("Help:RAVELERR_SERVERCANTEXECUTE", "File action not taken")
    Q_CLASSINFO("Help:RAVELERR_LOGINREFUSED", "Server rejected Username/Password")
    Q_CLASSINFO("Help:RAVELERR_NOREMOTEFILE", "Server can not open file")
    Q_CLASSINFO("Help:RAVELERR_TRANSFERREFUSED", "Host refused the transfer")
    Q_CLASSINFO("Help:RAVELERR_WINSOCKNOTUSABLE", "A winsock.DLL ver 1.1 is required")
    Q_CLASSINFO("Help:RAVELERR_CANTCLOSE", "Close failed (cmd is in progress)")
    Q_CLASSINFO("Help:RAVELERR_FILELOCKED", "Temporary error during FtpDelete (File Locked)")
    Q_CLASSINFO("Help:RAVELERR_FWLOGINREFUSED", "Proxy/Firewall rejected Username/Password")
    Q_CLASSINFO("Help:RAVELERR_ASYNCMODE", "FtpMGet only in synchronous mode")
    Q_CLASSINFO("Help:RAVELERR_UNKNOWNHOST", "Cannot resolve host address (Unknown Host)")
    Q_CLASSINFO("Help:RAVELERR_NOREPLY", "Host did not respond to last Command")
    Q_CLASSINFO("Help:RAVELERR_CANTCONNECT", "Error during connection")
    Q_CLASSINFO("Help:RAVELERR_CONNECTREJECTED", "Host has no FTP server (Connect rejected")
    Q_CLASSINFO("Help:RAVELERR_SENDREFUSED", "Can't send data (network down)")
    Q_CLASSINFO("Help:RAVELERR_DATACONNECTION", "Connection on data-port failed")
    Q_CLASSINFO("Help:RAVELERR_TIMEOUT", "Timeout occured")
    Q_CLASSINFO("Help:RAVELERR_FWCANTCONNECT", "Error during connection with Proxy")
    Q_CLASSINFO("Help:RAVELERR_FWCONNECTREJECTED", "Proxy/Firewall has no FTP server")
    Q_CLASSINFO("Help:RAVELERR_UNEXPECTEDANSWER", "Answer was not expected")
    Q_CLASSINFO("Help:RAVELERR_CANNOTCHANGETYPE", "Host rejected the TYPE Command")
    Q_CLASSINFO("Help:RAVELERR_CMDNOTIMPLEMENTED",
                "Host recognized but couldn't execute the Command")
    Q_CLASSINFO("Help:RAVELERR_PWDBADFMT", "PWD cmd OK, but answer has no \"")
    Q_CLASSINFO("Help:RAVELERR_PASVCMDNOTIMPL", "Server doesn't support Passive mode")
    Q_CLASSINFO("Help:RAVELERR_TLSREFUSED", "TLS required, but the server refused it")
    Q_CLASSINFO("Help:RAVELERR_UNTRUSTEDCERT", "The server's certificate is not trusted")
    Q_CLASSINFO("Help:RAVELERR_CANTCREATEWINDOW", "Insufficient free resources")
    Q_CLASSINFO("Help:RAVELERR_INSMEMORY", "Insufficient Heap memory")
    Q_CLASSINFO("Help:RAVELERR_CANTCREATESOCKET", "No more sockets")
    Q_CLASSINFO("Help:RAVELERR_CANTBINDSOCKET", "Bind failed")
    Q_CLASSINFO("Help:RAVELERR_SYSTUNKNOWN", "Host system not in the list")
    Q_CLASSINFO("Help:RAVELERR_AREADYCONNECTED", "Ravel is already connected")
    Q_CLASSINFO("Help:RAVELERR_BUSY", "Ravel is still busy with the previous command")
    Q_CLASSINFO("Help:RAVELERR_PARAMTYPE", "Invalid Parameter type")
    Q_CLASSINFO("Help:RAVELERR_NOBYTECNT", "The ByteCount is set to 0")

    Q_PROPERTY(QString RemoteHost MEMBER m_RemoteHost)
    Q_PROPERTY(QString UserName MEMBER m_UserName)
    Q_PROPERTY(QString PassWord MEMBER m_PassWord)
    Q_PROPERTY(bool StillExecuting READ StillExecuting)
    Q_PROPERTY(int HostType READ HostType WRITE setHostType)
    Q_PROPERTY(QString RemoteFile MEMBER m_RemoteFile)
    Q_PROPERTY(QString LocalFile MEMBER m_LocalFile)
    Q_PROPERTY(QString Account MEMBER m_Account)
    Q_PROPERTY(QString InitDir MEMBER m_InitDir)
    Q_PROPERTY(bool Connected READ Connected)
    Q_PROPERTY(bool Passive READ Passive WRITE setPassive)
    Q_PROPERTY(bool UseProxy MEMBER m_UseProxy)
    Q_PROPERTY(QString ProxyUserID MEMBER m_ProxyUserID)
    Q_PROPERTY(QString ProxyPassWd MEMBER m_ProxyPassWd)
    Q_PROPERTY(int ProxyPort READ ProxyPort WRITE setProxyPort)
    Q_PROPERTY(QString ProxyHost MEMBER m_ProxyHost)
    Q_PROPERTY(int ProxyType READ ProxyType WRITE setProxyType)
    Q_PROPERTY(bool VerboseMode READ VerboseMode WRITE setVerboseMode)
    Q_PROPERTY(bool AsyncMode READ AsyncMode WRITE setAsyncMode)
    Q_PROPERTY(bool LongDirs MEMBER m_LongDirs)
    Q_PROPERTY(int FileType READ FileType WRITE setFileType)
    Q_PROPERTY(bool AppendToFile MEMBER m_AppendToFile)
    Q_PROPERTY(int Port READ Port WRITE setPort)
    Q_PROPERTY(int TimeOut READ TimeOut WRITE setTimeOut)
    Q_PROPERTY(QString LogFileName MEMBER m_LogFileName)
    Q_PROPERTY(bool LogToFile READ LogToFile WRITE setLogToFile)
    Q_PROPERTY(qint64 BytesXfered READ BytesXfered)
    Q_PROPERTY(QString LocalIPAddress READ LocalIPAddress WRITE setLocalIPAddress)
    Q_PROPERTY(QString RemoteIPAddress READ RemoteIPAddress)
    Q_PROPERTY(QString RemoteHName READ RemoteHName)
    Q_PROPERTY(QString LocalHName READ LocalHName)
    Q_PROPERTY(bool xFerInProgress READ xFerInProgress)
    Q_PROPERTY(bool RESTSupported READ RESTSupported)
    Q_PROPERTY(int Security READ Security WRITE setSecurity)
    Q_PROPERTY(QString TrustedFingerprint MEMBER m_TrustedFingerprint)
    Q_PROPERTY(QString PeerFingerprint READ PeerFingerprint)
    Q_PROPERTY(bool TlsActive READ TlsActive)
    Q_PROPERTY(QString CaFile MEMBER m_CaFile)

public:
    enum cnstRavelFileTypes
    {
        RAVEL_TYPE_ASCII = 0,
        RAVEL_TYPE_BINARY = 1
    };
    Q_ENUM(cnstRavelFileTypes)
    enum cnstRavelProxyTypes
    {
        RAVEL_FWSITE = 0,
        RAVEL_FWPROXY = 1,
        RAVEL_FWUSERWITHLOGON = 2,
        RAVEL_FWUSERNOLOGON = 3
    };
    Q_ENUM(cnstRavelProxyTypes)
    enum cnstRavelHostTypes
    {
        RAVEL_HOSTTYPE_CHAMELEON,
        RAVEL_HOSTTYPE_PCTCP,
        RAVEL_HOSTTYPE_IBM_TCP,
        RAVEL_HOSTTYPE_IBM_VM,
        RAVEL_HOSTTYPE_NOS,
        RAVEL_HOSTTYPE_NCSA,
        RAVEL_HOSTTYPE_SINTFTPD,
        RAVEL_HOSTTYPE_SUPER,
        RAVEL_HOSTTYPE_U5000,
        RAVEL_HOSTTYPE_UNIX,
        RAVEL_HOSTTYPE_VMS_MULTINET,
        RAVEL_HOSTTYPE_VMS_UCX,
        RAVEL_HOSTTYPE_VMS_OTHER,
        RAVEL_HOSTTYPE_QVT,
        RAVEL_HOSTTYPE_WINNT,
        RAVEL_HOSTTYPE_SOLARIS,
        RAVEL_HOSTTYPE_INNOV_WINNT,
        RAVEL_HOSTTYPE_OS2_L8,
        RAVEL_HOSTTYPE_NETWARE,
        RAVEL_HOSTTYPE_MSDOS_REFLECT,
        RAVEL_HOSTTYPE_NONE
    };
    Q_ENUM(cnstRavelHostTypes)
    enum cnstRavelErrors
    {
        RAVELERR_OK = RavelError::ResultOffset,
        RAVELERR_ENTERPASSWORD = 3001,
        RAVELERR_ACCOUNTNEEDED = 3002,
        RAVELERR_RESTARTOK = 3003,
        RAVELERR_ENDOFDATA = 3004,
        RAVELERR_CANCELBYUSER = 2999,
        RAVELERR_INVALIDPARAMETER = 4000,
        RAVELERR_SESSIONUSED = 4001,
        RAVELERR_NOTINITIALIZED = 4002,
        RAVELERR_NOTCONNECTED = 4003,
        RAVELERR_CANTOPENFILE = 4004,
        RAVELERR_CANTWRITE = 4005,
        RAVELERR_NOACTIVESESSION = 4006,
        RAVELERR_STILLCONNECTED = 4007,
        RAVELERR_SERVERCANTEXECUTE = 4008,
        RAVELERR_LOGINREFUSED = 4009,
        RAVELERR_NOREMOTEFILE = 4010,
        RAVELERR_TRANSFERREFUSED = 4011,
        RAVELERR_WINSOCKNOTUSABLE = 4012,
        RAVELERR_CANTCLOSE = 4013,
        RAVELERR_FILELOCKED = 4014,
        RAVELERR_FWLOGINREFUSED = 4015,
        RAVELERR_ASYNCMODE = 4016,
        RAVELERR_UNKNOWNHOST = 5001,
        RAVELERR_NOREPLY = 5002,
        RAVELERR_CANTCONNECT = 5003,
        RAVELERR_CONNECTREJECTED = 5004,
        RAVELERR_SENDREFUSED = 5005,
        RAVELERR_DATACONNECTION = 5006,
        RAVELERR_TIMEOUT = 5007,
        RAVELERR_FWCANTCONNECT = 5008,
        RAVELERR_FWCONNECTREJECTED = 5009,
        RAVELERR_UNEXPECTEDANSWER = 6001,
        RAVELERR_CANNOTCHANGETYPE = 6002,
        RAVELERR_CMDNOTIMPLEMENTED = 6003,
        RAVELERR_PWDBADFMT = 6004,
        RAVELERR_PASVCMDNOTIMPL = 6005,
        RAVELERR_TLSREFUSED = 6006,
        RAVELERR_UNTRUSTEDCERT = 6007,
        RAVELERR_CANTCREATEWINDOW = 8002,
        RAVELERR_INSMEMORY = 8003,
        RAVELERR_CANTCREATESOCKET = 8004,
        RAVELERR_CANTBINDSOCKET = 8005,
        RAVELERR_SYSTUNKNOWN = 8006,
        RAVELERR_AREADYCONNECTED = RavelError::NumberAlreadyConnected,
        RAVELERR_BUSY = RavelError::NumberBusy,
        RAVELERR_PARAMTYPE = RavelError::NumberParameterType,
        RAVELERR_NOBYTECNT = RavelError::NumberNoByteCount
    };
    Q_ENUM(cnstRavelErrors)

    explicit CRavelCtrl(QObject *parent = nullptr);
    ~CRavelCtrl() override;

    // The error the last property access or method call raised, if any; taking it clears it.
    std::optional<RavelError> takeError();
    // Set by every property change made through the dispatch table; persistence clears it.
    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }
    // A property was changed through the dispatch table: tell the host, mark modified.
    void notifyPropertyChanged(int dispid);

    bool StillExecuting() const { return m_state.busy; }
    int HostType();
    void setHostType(int value);
    bool Connected() const { return m_state.connected; }
    bool Passive() const { return m_Passive; }
    void setPassive(bool value);
    int ProxyPort() const { return m_ProxyPort; }
    void setProxyPort(int value);
    int ProxyType() const { return m_ProxyType; }
    void setProxyType(int value);
    bool VerboseMode() const { return m_VerboseMode; }
    void setVerboseMode(bool value);
    bool AsyncMode() const { return m_AsyncMode; }
    void setAsyncMode(bool value);
    int FileType() const { return m_FileType; }
    void setFileType(int value);
    int Port() const { return m_Port; }
    void setPort(int value);
    int TimeOut() const { return m_TimeOut; }
    void setTimeOut(int value);
    bool LogToFile() const { return m_LogToFile; }
    void setLogToFile(bool value);
    qint64 BytesXfered() const { return m_state.bytes; }
    QString LocalIPAddress();
    void setLocalIPAddress(const QString &) {}
    QString RemoteIPAddress();
    QString RemoteHName();
    QString LocalHName();
    bool xFerInProgress() const { return m_state.transfer; }
    bool RESTSupported() const { return m_state.restSupported; }
    int Security() const { return m_Security; }
    void setSecurity(int value);
    QString PeerFingerprint() const { return m_state.texts().peerFingerprint; }
    bool TlsActive() const { return m_state.connected && m_state.tls; }
    // Not published: why the last asynchronous transfer failed on our side (the data
    // connection's address and port), or empty.
    QString transferFailure() const { return m_notifications.transferFailure(); }
    // Not published: the last login's server certificate (PEM), for a person to judge.
    QByteArray peerCertificate() const { return m_state.texts().peerCertificate; }
    // Not published: why that certificate did not verify, "" when it did.
    QString certificateReason() const { return m_state.texts().certificateReason; }

    Q_INVOKABLE void CWD(const QString &DirName);
    Q_INVOKABLE void RNFR(const QString &RemoteFile, const QString &NewFile);
    Q_INVOKABLE void Connect();
    Q_INVOKABLE void ShowPropPage();
    Q_INVOKABLE void QUIT();
    Q_INVOKABLE void ABOR();
    Q_INVOKABLE QString PWD();
    Q_INVOKABLE void CDUP();
    Q_INVOKABLE void RETR(const QVariant &RemoteFile = {}, const QVariant &LocalFile = {});
    Q_INVOKABLE void DELE(const QVariant &RemoteFile = {});
    Q_INVOKABLE void LIST(const QVariant &RemotePath = {});
    Q_INVOKABLE void STOR(const QVariant &LocalFile = {}, const QVariant &RemoteFile = {},
                          const QVariant &bUnique = {});
    Q_INVOKABLE void RMD(const QString &RemotePath);
    Q_INVOKABLE void RESTSTOR(const QVariant &LocalFile = {}, const QVariant &RemoteFile = {},
                              const QVariant &ByteCount = {});
    Q_INVOKABLE void RESTRETR(const QVariant &RemoteFile = {}, const QVariant &LocalFile = {},
                              const QVariant &ByteCount = {});
    Q_INVOKABLE void LocalClose();
    Q_INVOKABLE bool CheckRemoteConnection();
    Q_INVOKABLE QString GetErrString(int ErrCode);
    Q_INVOKABLE qint64 SIZE(const QVariant &RemoteFile = {});
    Q_INVOKABLE qint64 SIZELocal(const QVariant &LocalFile);
    Q_INVOKABLE QDateTime MDTM(const QVariant &RemoteFile = {});
    Q_INVOKABLE QDateTime MDTMLocal(const QVariant &LocalFile);
    Q_INVOKABLE int QUOT(const QVariant &CmdString, QString &Reply);
    Q_INVOKABLE QString MKD(const QString &RemotePath);
    Q_INVOKABLE void AboutBox();

    // The file of the library that the worker loads; tests may point it elsewhere before
    // the worker starts.
    static QString defaultLibraryPath();
    void setLibraryPath(const QString &path) { m_jobs.setLibraryPath(path); }

signals:
    void OnHostResponse(int Code, const QString &Command, const QString &Response);
    void OnDirList(const QString &DirLine, bool Complete, int retCode);
    void OnLogin(int ResultCode);
    void OnFTPError(int ErrorCode, const QString &ErrorText);
    void OnAsyncEvent(qint64 FileSize, qint64 ByteSoFar, const QString &Cmd, bool Complete);
    // Declared for hosts that bind the stock error event; the component reports through
    // automation errors and OnFTPError instead.
    void Error(int Number, const QString &Description);

    // Not published: a property was changed through the dispatch table (its DISPID).
    void propertyChanged(int dispid);
    // Not published: a notification arrived; restarts the quiet time of a running wait.
    void activity();

protected:
    bool event(QEvent *event) override;

private:
    using Waits = RavelJobRunner::Waits;

    void raise(const RavelError &error);
    // After the properties were loaded: the worker's copies of them follow.
    void updateWorkerSettings() { m_jobs.updateWorkerSettings(); }
    int rawCommand(const QString &commandLine);
    qint64 remoteSize(const QString &name);
    void completeLogin(int code);

    QString connectedText(QString RavelState::Texts::*field);
    void runTransfer(std::unique_ptr<RavelJobEvent> job, const QString &command);
    void runRestart(std::unique_ptr<RavelJobEvent> job, QIODevice::OpenMode mode, qint64 position,
                    const QString &command);

    QString m_RemoteHost;
    QString m_UserName;
    QString m_PassWord;
    QString m_RemoteFile;
    QString m_LocalFile;
    QString m_Account;
    QString m_InitDir;
    bool m_Passive = false;
    bool m_UseProxy = false;
    QString m_ProxyUserID;
    QString m_ProxyPassWd;
    int m_ProxyPort = 2323;
    QString m_ProxyHost;
    int m_ProxyType = 0;
    int m_Security = 0;
    QString m_TrustedFingerprint;
    QString m_CaFile;
    bool m_VerboseMode = true;
    bool m_AsyncMode = true;
    bool m_LongDirs = true;
    int m_FileType = RAVEL_TYPE_BINARY;
    bool m_AppendToFile = false;
    int m_Port = 21;
    int m_TimeOut = 30;
    QString m_LogFileName = QStringLiteral("RavelLog.log");
    bool m_LogToFile = false;

    RavelState m_state;
    QString m_command;
    bool m_modified = false;
    std::optional<RavelError> m_raised;
    RavelArguments m_arguments{m_raised};
    RavelJobRunner m_jobs;
    RavelNotifications m_notifications;
};
