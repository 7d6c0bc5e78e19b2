#pragma once

#include <QGroupBox>

class Dialogs;
class ImageList;
class PreviewArea;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMimeData;
class QPushButton;
class QToolButton;

// The "Selected Image List" panel: display names and paths side by side in two
// lists that always show the same rows, with the commands that order, rename and
// remove entries, and drops of files from a file manager.
class ImageListPanel : public QGroupBox
{
    Q_OBJECT
public:
    ImageListPanel(ImageList &images, Dialogs &dialogs, PreviewArea *preview, QWidget *focusSink,
                   QWidget *parent);

    // Shows the list again after New or Load; an open name editor is closed.
    void reload();
    void AddToImageList(const QStringList &paths);
    // The file browser's choice: these names of the folder, in order.
    void AddFolderFiles(const QString &folder, const QStringList &names);
    // Adds the files a drop carries; data that holds no files is reported.
    void addDropped(const QMimeData *data);
    QPushButton *driveListButton() const { return cmdDriveList; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QListWidget *makeList(int index, const QString &tip);
    void selectRow(int row);
    void removeSelected();
    void clearList();
    void move(bool up);
    void openEditor();
    void commitEditor();
    void showRows();
    // After adding: names the offered files refused for a line break, says so when the list
    // filled up, then shows the new rows.
    void addingDone(bool full, const QStringList &offered);
    void showSelectedPicture();
    void focusSink();

    ImageList &m_images;
    Dialogs &m_dialogs;
    PreviewArea *m_preview;
    QWidget *m_focusSink;
    // 0: paths, 1: display names.
    QListWidget *lstImageListA[2];
    QToolButton *cmdUpA;
    QToolButton *cmdDownA;
    QPushButton *cmdDeleteA;
    QPushButton *cmdDriveList;
    QLabel *lblInfoA;
    QLineEdit *txtEditDisplayName;
    QMenu *mnuImageList;
    bool m_syncing = false;
};
