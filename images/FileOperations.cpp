#include "images/FileOperations.h"

#include "core/AppText.h"
#include "core/ErrorInfo.h"
#include "core/PathNames.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QThread>
#include <memory>
#include <utility>

const QString FileOperations::CopyError = QStringLiteral("File Copy Error:");
const QString FileOperations::DeleteError = QStringLiteral("File Delete Error:");
const QString FileOperations::RenameError = QStringLiteral("File Rename Error:");
const QString FileOperations::RenameSourceMissing =
    QStringLiteral("File contains invalid Single Quote characters.") + AppText::LineBreak +
    QStringLiteral("Single Quotes Are not Browser Friendly Characters.") + AppText::LineBreak +
    QStringLiteral("Please Rename with Windows File Manager.");
const QString FileOperations::RenamePrompt = QStringLiteral("Enter new filename:");
const QString FileOperations::RenameTitle = QStringLiteral("Rename Selected Files");

namespace {
// A dangling symbolic link still occupies its name.
bool nameTaken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}
} // namespace

FileOperations::FileOperations(Dialogs &dialogs, QObject *parent)
    : QObject(parent), m_dialogs(dialogs)
{
}

FileOperations::~FileOperations()
{
    if (m_pasteThread) {
        m_pasteThread->wait();
        delete m_pasteThread;
    }
}

void FileOperations::warn(const QString &text)
{
    m_dialogs.message(text, AppText::AppTitle, Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
}

void FileOperations::CopyFile(const QString &folder, const QStringList &selectedNames)
{
    if (selectedNames.isEmpty())
        return;
    m_copyList = selectedNames;
    m_copySourceFolder = folder;
    emit canPasteChanged(true);
}

std::optional<QString> FileOperations::copyOneFile(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return ErrorInfo::fromFile(in).description;
    const QFileInfo from(source);
    const QFileInfo to(target);
    if (to.exists() && from.canonicalFilePath() == to.canonicalFilePath())
        return QStringLiteral("%1: a file cannot be copied onto itself").arg(target);
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return ErrorInfo::fromFile(out).description;
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 n = in.read(buffer.data(), buffer.size());
        if (n < 0) {
            out.cancelWriting();
            return ErrorInfo::fromFile(in).description;
        }
        if (n == 0)
            break;
        if (out.write(buffer.constData(), n) != n)
            return ErrorInfo::fromFile(out).description;
    }
    // Copies keep the picture's date, so folders sorted by date stay in shooting order.
    if (!out.flush())
        return ErrorInfo::fromFile(out).description;
    out.setFileTime(from.lastModified(), QFileDevice::FileModificationTime);
    if (!out.commit())
        return ErrorInfo::fromFile(out).description;
    return std::nullopt;
}

void FileOperations::PasteFile(const QString &folder)
{
    if (m_copyList.isEmpty() || m_pasteThread)
        return;
    const QStringList names = std::exchange(m_copyList, {});
    const QString sourceFolder = m_copySourceFolder;
    emit canPasteChanged(false);
    emit busyChanged(true);
    auto failures = std::make_shared<QStringList>();
    m_pasteThread = QThread::create([names, sourceFolder, folder, failures] {
        for (const QString &name : names) {
            const auto failure =
                copyOneFile(JoinFolderAndFile(sourceFolder, name), JoinFolderAndFile(folder, name));
            if (failure)
                failures->append(*failure);
        }
    });
    connect(m_pasteThread, &QThread::finished, this, [this, failures] {
        m_pasteThread->deleteLater();
        m_pasteThread = nullptr;
        emit busyChanged(false);
        for (const QString &failure : std::as_const(*failures))
            warn(CopyError + failure);
        emit pasteFinished();
    });
    m_pasteThread->start();
}

void FileOperations::RenameFile(const QString &folder, const QStringList &selectedNames)
{
    for (const QString &name : selectedNames) {
        const std::optional<QString> answer = m_dialogs.inputBox(RenamePrompt, RenameTitle, name);
        if (answer && !answer->isEmpty())
            renameOne(folder, name, *answer);
    }
}

void FileOperations::renameOne(const QString &folder, const QString &name, const QString &newName)
{
    const QString source = JoinFolderAndFile(folder, name);
    if (!nameTaken(source)) {
        warn(RenameSourceMissing);
        return;
    }
    // A separator in the answer would move the file out of its folder.
    if (newName.contains(PathNames::Separator)) {
        warn(RenameError + QStringLiteral("%1: a file name cannot contain \"%2\"")
                               .arg(newName, PathNames::Separator));
        return;
    }
    const QString target = JoinFolderAndFile(folder, newName);
    if (nameTaken(target))
        return;
    QFile file(source);
    if (!file.rename(target))
        warn(RenameError + QStringLiteral("%1: %2").arg(source, file.errorString()));
}

void FileOperations::DeleteFile(const QString &folder, const QStringList &selectedNames)
{
    for (const QString &name : selectedNames) {
        const auto answer =
            m_dialogs.message(QStringLiteral("Delete: %1 ?").arg(name), AppText::AppTitle,
                              Dialogs::Icon::None, Dialogs::Buttons::YesNo);
        if (answer != Dialogs::Answer::Yes)
            continue;
        QFile file(JoinFolderAndFile(folder, name));
        if (!file.remove())
            warn(DeleteError + QStringLiteral("%1: %2").arg(file.fileName(), file.errorString()));
    }
}
