#pragma once

#include "core/Dialogs.h"

#include <QObject>
#include <QStringList>
#include <optional>

class QThread;

// The file list's file commands on real files: copy and paste between folders, rename,
// delete. A failing file is reported through Dialogs and the command goes on with the next.
// Pictures in the image list are never touched.
class FileOperations : public QObject
{
    Q_OBJECT
public:
    static const QString CopyError;
    static const QString DeleteError;
    static const QString RenameError;
    static const QString RenameSourceMissing;
    static const QString RenamePrompt;
    static const QString RenameTitle;

    explicit FileOperations(Dialogs &dialogs, QObject *parent = nullptr);
    // Waits for a paste still copying, so no copy is cut off half-written.
    ~FileOperations() override;

    // Remembers the selected names and their folder for one paste; none selected keeps
    // what was remembered before.
    void CopyFile(const QString &folder, const QStringList &selectedNames);
    bool canPaste() const { return !m_copyList.isEmpty(); }
    bool isPasting() const { return m_pasteThread != nullptr; }
    // Copies the remembered files into folder away from the window thread; the failures are
    // shown afterwards, in order, then pasteFinished follows.
    void PasteFile(const QString &folder);
    void RenameFile(const QString &folder, const QStringList &selectedNames);
    void DeleteFile(const QString &folder, const QStringList &selectedNames);

    // Copies one file; an existing target is replaced only once the copy is complete, and a
    // file is never copied onto itself. Returns the failure's description.
    static std::optional<QString> copyOneFile(const QString &source, const QString &target);

signals:
    void canPasteChanged(bool canPaste);
    // True while the copies run, false before the first failure is shown.
    void busyChanged(bool busy);
    void pasteFinished();

private:
    void renameOne(const QString &folder, const QString &name, const QString &newName);
    void warn(const QString &text);

    Dialogs &m_dialogs;
    QStringList m_copyList;
    QString m_copySourceFolder;
    QThread *m_pasteThread = nullptr;
};
