#include "cli/UploadCommand.h"

#include "cli/CommandLine.h"
#include "cli/ConsoleDialogs.h"
#include "core/PathNames.h"
#include "project/ProjectFile.h"
#include "project/SettingsStore.h"
#include "ravel/CRavelCtrl.h"
#include "ravel/RavelDispatch.h"
#include "upload/UploadFields.h"
#include "upload/UploadJob.h"

#include <QFile>
#include <QFileInfo>
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

const QString Usage = QStringLiteral(
    "lumora upload --project FILE.lwp --host HOST [--port N] [--user U] [--password-file F] "
    "[--path P] [--page PATH.html] [--passive] [--autospace on|off] [--timeout S]");

std::optional<int> numberOption(CommandLine &cli, const QString &name, int low, int high)
{
    if (!cli.has(name))
        return std::nullopt;
    bool ok = false;
    const int n = cli.value(name).toInt(&ok);
    if (!ok || n < low || n > high)
        return std::nullopt;
    return n;
}
} // namespace

int runUploadCommand(const QStringList &arguments)
{
    CommandLine cli(arguments,
                    {QStringLiteral("project"), QStringLiteral("host"), QStringLiteral("port"),
                     QStringLiteral("user"), QStringLiteral("password-file"),
                     QStringLiteral("path"), QStringLiteral("page"), QStringLiteral("autospace"),
                     QStringLiteral("timeout")},
                    {QStringLiteral("passive")});
    cli.require({QStringLiteral("project"), QStringLiteral("host")});
    const std::optional<bool> autoSpaceOption = cli.onOff(QStringLiteral("autospace"));
    const std::optional<int> port = numberOption(cli, QStringLiteral("port"), 0, 32768);
    const std::optional<int> timeout = numberOption(cli, QStringLiteral("timeout"), 0, 32767);
    if (cli.ok() && cli.has(QStringLiteral("port")) && !port)
        return cli.usage(QStringLiteral("--port takes 0 to 32768\nusage: ") + Usage);
    if (cli.ok() && cli.has(QStringLiteral("timeout")) && !timeout)
        return cli.usage(QStringLiteral("--timeout takes 0 to 32767 seconds\nusage: ") + Usage);
    if (!cli.ok())
        return cli.usage(Usage);

    QString password;
    if (cli.has(QStringLiteral("password-file"))) {
        QFile file(cli.value(QStringLiteral("password-file")));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "lumora: cannot read %s\n", qPrintable(file.fileName()));
            return CommandLine::UsageError;
        }
        password = QString::fromUtf8(file.readLine()).trimmed();
    }

    SettingsStore store;
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

    OptionFields fields({cli.value(QStringLiteral("host")),
                         cli.has(QStringLiteral("user")) ? cli.value(QStringLiteral("user"))
                                                         : QStringLiteral("anonymous"),
                         password, cli.value(QStringLiteral("path")),
                         UploadPlan::GeneratedPage(set.paths)});
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

    UploadJob job(ravel, fields, dialogs, store);
    QObject::connect(&job, &UploadJob::statusLine, [](const QString &line) {
        std::printf("%s\n", line.toUtf8().constData());
        std::fflush(stdout);
    });
    const UploadJob::Outcome outcome = job.run(set, [autoSpace] { return autoSpace; });
    return outcome == UploadJob::Outcome::Completed ? 0 : 1;
}
