#include "upload/FtpClientLauncher.h"

#include "core/AppText.h"
#include "core/Dialogs.h"
#include "core/ErrorInfo.h"
#include "project/SettingsStore.h"

#include <QFileInfo>
#include <QProcess>

namespace {
const QString Section = QStringLiteral("Options");
const QString Key = QStringLiteral("FtpClientPath");
} // namespace

bool FtpClientLauncher::run()
{
    QString path = m_store.Read(Section, Key, QString());
    if (path.isEmpty())
        path = QStringLiteral("(None Selected!)");
    const Dialogs::Answer answer = m_dialogs.message(
        QLatin1String("Launch Ftp Client:") + AppText::LineBreak + path + QLatin1Char('?') +
            AppText::LineBreak + QLatin1String("(Choose No to Select a New Ftp Client Path.)"),
        QStringLiteral("Launch FTP Client"), Dialogs::Icon::Question,
        Dialogs::Buttons::YesNoCancel);
    if (answer == Dialogs::Answer::Cancel)
        return false;
    if (answer == Dialogs::Answer::No) {
        Dialogs::FileRequest request;
        request.title = AppText::AppTitle;
        // Programs here have no extension of their own.
        request.filter = QStringLiteral("FTP Client (*)|*|All (*.*)|*.*");
        request.initialFolder = QFileInfo(path).absolutePath();
        const std::optional<QString> chosen = m_dialogs.openFile(request);
        if (!chosen)
            return false;
        path = *chosen;
    }
    const QFileInfo program(path);
    ErrorInfo error;
    if (!program.isFile())
        error = ErrorInfo::fileNotFound(path);
    else if (!program.isExecutable() || !QProcess::startDetached(path, {}))
        error = {ErrorNumber::PermissionDenied, QStringLiteral("Cannot start %1").arg(path)};
    if (error.number != 0) {
        m_dialogs.message(QStringLiteral("%1 : %2").arg(error.number).arg(error.description));
        return false;
    }
    m_store.Write(Section, Key, path);
    return true;
}
