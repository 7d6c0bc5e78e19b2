#include "cli/UploadCommand.h"

#include "cli/CommandLine.h"
#include "cli/ConsoleDialogs.h"
#include "core/PathNames.h"
#include "project/ProjectFile.h"
#include "project/SettingsStore.h"
#include "ravel/CRavelCtrl.h"
#include "ravel/RavelDispatch.h"
#include "upload/CertificateTrust.h"
#include "upload/PasswordKeyring.h"
#include "upload/SitePasswords.h"
#include "upload/UploadFields.h"
#include "upload/UploadJob.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>

namespace {
// The upload panel's fields, filled from the options.
class OptionFields : public UploadFields
{
public:
    explicit OptionFields(const FtpSite &site) : m_site(site) {}
    FtpSite site() const override { return m_site; }
    void setUrlPath(const QString &path) override { m_site.urlPath = path; }
    void showSites(const FtpSiteMemory::Sites &) override {}

private:
    FtpSite m_site;
};

TlsMode tlsMode(CommandLine &cli)
{
    const QString word = cli.value(QStringLiteral("tls"));
    if (word == QLatin1String("off"))
        return TlsMode::Off;
    if (word == QLatin1String("require"))
        return TlsMode::Require;
    if (!word.isEmpty() && word != QLatin1String("auto"))
        cli.fail(QStringLiteral("--tls takes off, auto or require, not \"%1\"").arg(word));
    return TlsMode::Auto;
}

// A password file holds one line; anything past this is not a password.
constexpr qint64 PasswordFileBound = 4096;

std::optional<QString> readPassword(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray head = file.read(PasswordFileBound);
    if (const qsizetype end = head.indexOf('\n'); end >= 0)
        head.truncate(end);
    return QString::fromUtf8(head).trimmed();
}

// A program without a window may wait for the keyring: each of its answers is bounded, and
// this wait is bounded again.
void settle(SitePasswords &passwords)
{
    if (!passwords.busy())
        return;
    QEventLoop loop;
    QObject::connect(&passwords, &SitePasswords::settled, &loop, &QEventLoop::quit);
    QTimer::singleShot(2 * PasswordKeyring::AnswerMs, &loop, &QEventLoop::quit);
    loop.exec();
}

// The session's transcript, as the log window shows it.
bool writeLog(const QString &path, const QString &transcript)
{
    // A FIFO without a reader would hold the run for ever.
    if (QFileInfo::exists(path) && !QFileInfo(path).isFile())
        return false;
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(transcript.toUtf8()) >= 0 && file.flush();
}
} // namespace

int runUploadCommand(const QStringList &arguments)
{
    CommandLine cli(
        {QStringLiteral("lumora upload"),
         QStringLiteral("Sends a project's generated page, its other files and its pictures to an\n"
                        "FTP server, as the desktop program's upload step does."),
         {{"project", "FILE.lwp", "The project whose page and pictures to send.",
           CommandLine::Required},
          {"host", "HOST", "The FTP server's name or address.", CommandLine::Required},
          {"port", "N", "The server's port, 0 to 32768 (21 unless given)."},
          {"user", "U", "The user name to log in with (anonymous unless given)."},
          {"password-file", "F", "A file whose first line (of at most 4 KiB) is the password."},
          {"path", "P", "The folder on the server that receives the album, made when missing."},
          {"page", "PATH.html",
           "The generated page to send, in place of the one the project names."},
          {"passive", "", "Use passive mode for the data connections."},
          {"autospace", "on|off",
           "Whether spaces in picture names become underscores on the server; the desktop "
           "program's setting unless given."},
          {"timeout", "S", "Seconds to wait for the server, 0 to 32767 (60 unless given)."},
          {"remember", "", "Remember the site among the desktop program's FTP sites."},
          {"log", "FILE", "Write the FTP session's transcript to FILE."},
          {"changed-only", "",
           "Send only the files that changed since the last upload, by the list of files "
           "that upload left on the server."},
          {"delete-removed", "",
           "With --changed-only: delete from the server what the last upload sent and the "
           "album no longer has."},
          {"tls", "off|auto|require",
           "Protect the session with TLS: never, when the server offers it (the default), or "
           "always, refusing a server without it."},
          {"fingerprint", "SHA256",
           "Accept the server's certificate with this SHA-256 fingerprint (hex, either case, "
           "colons allowed) although it does not verify."},
          {"cafile", "FILE", "Trust the certificates in this PEM file beside the system's."},
          {"connections", "N",
           "Send up to N files at once, 1 to 8, each connection with its own login (1 unless "
           "given); a server that refuses some of the logins gets the files over the others."}}},
        arguments);
    if (cli.answered())
        return 0;
    const std::optional<bool> autoSpaceOption = cli.onOff(QStringLiteral("autospace"));
    const std::optional<int> port = cli.number(QStringLiteral("port"), 0, 32768);
    const std::optional<int> timeout =
        cli.number(QStringLiteral("timeout"), 0, 32767, QStringLiteral(" seconds"));
    if (cli.has(QStringLiteral("delete-removed")) && !cli.has(QStringLiteral("changed-only")))
        cli.fail(QStringLiteral("--delete-removed needs --changed-only"));
    const TlsMode tls = tlsMode(cli);
    const std::optional<int> connections =
        cli.number(QStringLiteral("connections"), 1, MaxConnections);
    const QString fingerprint =
        CertificateTrust::normalized(cli.value(QStringLiteral("fingerprint")));
    if (cli.has(QStringLiteral("fingerprint")) && fingerprint.isEmpty())
        cli.fail(QStringLiteral("--fingerprint needs 64 hex digits (SHA-256)"));
    const QString caFile = cli.value(QStringLiteral("cafile"));
    if (cli.has(QStringLiteral("cafile")) && !QFileInfo(caFile).isFile())
        cli.fail(QStringLiteral("--cafile: %1 is not a file").arg(caFile));
    if (!cli.ok())
        return cli.usage();

    QString password;
    if (cli.has(QStringLiteral("password-file"))) {
        const QString path = cli.value(QStringLiteral("password-file"));
        const std::optional<QString> read = readPassword(path);
        if (!read) {
            std::fprintf(stderr, "lumora: cannot read %s\n", qPrintable(path));
            return CommandLine::UsageError;
        }
        password = *read;
    }

    SettingsStore store;
    if (!store.refusal().isEmpty())
        std::fprintf(stderr, "lumora: %s\n", qPrintable(store.refusal()));
    const bool autoSpace = autoSpaceOption.value_or(store.ReadBoolean(
        QStringLiteral("Options"), QStringLiteral("autospace"), QStringLiteral("1"), true));
    ConsoleDialogs dialogs;
    WorkingSet set;
    set.paths.reset(AppFolder());
    dialogs.queueFileName(QFileInfo(cli.value(QStringLiteral("project"))).absoluteFilePath());
    if (ProjectFile(dialogs).LoadProject(set, AppFolder()) == ProjectFile::Outcome::Failed)
        return 1;
    if (cli.has(QStringLiteral("page"))) {
        // As if this page had just been generated.
        const QString page = QFileInfo(cli.value(QStringLiteral("page"))).absoluteFilePath();
        set.paths.replace(RememberedPaths::GenHtml, page);
        set.output = {FolderOf(page), BaseNameOf(page)};
    }

    OptionFields fields(
        {cli.value(QStringLiteral("host")),
         cli.has(QStringLiteral("user")) ? cli.value(QStringLiteral("user"))
                                         : QStringLiteral("anonymous"),
         password,
         cli.value(QStringLiteral("path")),
         UploadPlan::GeneratedPage(set.paths),
         {cli.has(QStringLiteral("changed-only")), cli.has(QStringLiteral("delete-removed"))},
         tls,
         connections.value_or(1)});
    CRavelCtrl ravel;
    UploadJob::ConfigureComponent(ravel);
    auto put = [&ravel](const char *name, const QVariant &value) {
        RavelDispatch::invoke(ravel, QLatin1String(name), RavelDispatch::Kind::Put, {value});
    };
    if (port)
        put("Port", *port);
    if (timeout)
        put("TimeOut", *timeout);
    if (cli.has(QStringLiteral("passive")))
        put("Passive", true);
    if (!caFile.isEmpty())
        put("CaFile", QFileInfo(caFile).absoluteFilePath());

    UploadJob job(ravel, fields, dialogs, store);
    job.setRememberSite(cli.has(QStringLiteral("remember")));
    job.setTrustedFingerprint(fingerprint);
    job.setCertificateHint(QStringLiteral("Run again with --fingerprint %1 to trust it"));
    // The command line stores a remembered site's password, but never moves the others'.
    PasswordKeyring keyring;
    SitePasswords passwords(store, keyring);
    if (cli.has(QStringLiteral("remember"))) {
        passwords.start();
        settle(passwords);
        job.setSitePasswords(passwords);
    }
    const QString logPath = cli.value(QStringLiteral("log"));
    job.setLogHint(logPath.isEmpty()
                       ? QStringLiteral("Run again with --log FILE to keep the FTP session log.")
                       : QStringLiteral("See the FTP session log in %1 for details.").arg(logPath));
    QObject::connect(&job, &UploadJob::statusLine, [](const QString &line) {
        std::printf("%s\n", line.toUtf8().constData());
        std::fflush(stdout);
    });
    const UploadJob::Outcome outcome = job.run(set, [autoSpace] { return autoSpace; });
    settle(passwords);
    if (!logPath.isEmpty() && !writeLog(logPath, job.status().text())) {
        std::fprintf(stderr, "lumora: cannot write the FTP session log to %s\n",
                     qPrintable(logPath));
        return 1;
    }
    return outcome == UploadJob::Outcome::Completed ? 0 : 1;
}
