#pragma once

#include <QWidget>

class Dialogs;
class FileList;
class FileOperations;
class QAction;
class QComboBox;
class QListWidget;
class QListWidgetItem;
class QMenu;

// The file browser panel (frmDriveList): mounted volumes (Drive1), folders (Dir1) and the
// pictures of the current folder (File1), with the file list's popup menu (mnuPlayFile).
// The host adds files to the image list and shows previews through the signals.
class FileBrowserPanel : public QWidget
{
    Q_OBJECT
public:
    static const QString FilePattern;
    static const QString FileListTip;

    explicit FileBrowserPanel(Dialogs &dialogs, QWidget *parent = nullptr);

    // The current folder, ending in the separator only when it is a volume's root.
    QString path() const { return m_path; }
    // Moves all three lists to folder; false (and nothing changes) when it cannot be read.
    bool setPath(const QString &folder);
    QStringList selectedFiles() const;
    FileOperations &fileOperations() { return *m_operations; }

    // The popup's entries enabled as the file list allows; the host may call it before
    // showing the popup elsewhere.
    void preparePopup();

public slots:
    // Re-reads the folder and file lists from disk.
    void refresh();

signals:
    // Double-click or "Add to Image List": these names of folder, in list order.
    void addToImageList(const QString &folder, const QStringList &names);
    // A file was clicked: its full path, for the preview area.
    void previewRequested(const QString &path);

private:
    void buildMenu();
    void fillDrives();
    void driveChosen(int index);
    // setPath that says why a folder cannot be shown.
    bool moveTo(const QString &folder);
    void folderActivated(QListWidgetItem *item);
    void showFolderList();
    void showFileList();
    void addSelected();
    void openPopup(const QPoint &pos);

    Dialogs &m_dialogs;
    FileOperations *m_operations;
    QString m_path;
    QComboBox *Drive1;
    QListWidget *Dir1;
    FileList *File1;
    QMenu *mnuPlayFile;
    QAction *mnuAdd;
    QAction *mnuCopyFile;
    QAction *mnuPasteFile;
    QAction *mnuRenameFile;
    QAction *mnuDelete;
    QAction *mnuRefresh;
};
