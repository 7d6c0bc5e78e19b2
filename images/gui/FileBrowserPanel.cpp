#include "images/gui/FileBrowserPanel.h"

#include "core/AppText.h"
#include "core/Dialogs.h"
#include "core/PathNames.h"
#include "images/FileOperations.h"
#include "images/gui/FileList.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QMenu>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QStyle>
#include <QVBoxLayout>

const QString FileBrowserPanel::FilePattern = QStringLiteral("*.jpg;*.gif");
const QString FileBrowserPanel::FileListTip = QStringLiteral("Right Click for File Options.");

namespace {
constexpr int PathRole = Qt::UserRole;

// Why a folder cannot be shown, or nothing when it can.
std::optional<QString> folderProblem(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.exists())
        return QStringLiteral("%1: path not found").arg(folder);
    if (!info.isDir())
        return QStringLiteral("%1: not a folder").arg(folder);
    if (!info.isReadable() || !info.isExecutable())
        return QStringLiteral("%1: permission denied").arg(folder);
    return std::nullopt;
}

QString startFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}
} // namespace

FileBrowserPanel::FileBrowserPanel(Dialogs &dialogs, QWidget *parent)
    : QWidget(parent), m_dialogs(dialogs), m_operations(new FileOperations(dialogs, this)),
      Drive1(new QComboBox(this)), Dir1(new QListWidget(this)), File1(new FileList(this)),
      mnuPlayFile(new QMenu(this))
{
    setObjectName(QStringLiteral("frmDriveList"));
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Dir1->setObjectName(QStringLiteral("Dir1"));
    File1->setObjectName(QStringLiteral("File1"));
    File1->setToolTip(FileListTip);
    File1->setContextMenuPolicy(Qt::CustomContextMenu);

    // Long volume names must not squeeze the file list, the part the user works in.
    Drive1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Drive1->setMinimumContentsLength(8);
    auto *left = new QVBoxLayout;
    left->addWidget(Drive1);
    left->addWidget(Dir1);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(left, 2);
    layout->addWidget(File1, 3);

    buildMenu();
    connect(Dir1, &QListWidget::itemActivated, this, &FileBrowserPanel::folderActivated);
    connect(File1, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        emit previewRequested(JoinFolderAndFile(m_path, item->text()));
    });
    connect(File1, &QListWidget::itemDoubleClicked, this, &FileBrowserPanel::addSelected);
    connect(File1, &QWidget::customContextMenuRequested, this, &FileBrowserPanel::openPopup);
    connect(m_operations, &FileOperations::canPasteChanged, mnuPasteFile, &QAction::setEnabled);
    connect(m_operations, &FileOperations::busyChanged, this, [](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
    connect(m_operations, &FileOperations::pasteFinished, this, &FileBrowserPanel::refresh);

    if (!setPath(startFolder()))
        setPath(QDir::rootPath());
    fillDrives();
    connect(Drive1, &QComboBox::activated, this, &FileBrowserPanel::driveChosen);
}

void FileBrowserPanel::buildMenu()
{
    mnuPlayFile->setObjectName(QStringLiteral("mnuPlayFile"));
    const auto action = [this](QMenu *menu, const char *name, const QString &text, bool enabled,
                               auto handler) {
        QAction *a = menu->addAction(text, this, handler);
        a->setObjectName(QLatin1String(name));
        a->setEnabled(enabled);
        return a;
    };
    mnuAdd = action(mnuPlayFile, "mnuAdd", QStringLiteral("Add to Image List"), true,
                    &FileBrowserPanel::addSelected);
    QMenu *mnuFileUtil = mnuPlayFile->addMenu(QStringLiteral("File Utilities"));
    mnuFileUtil->setObjectName(QStringLiteral("mnuFileUtil"));
    mnuCopyFile = action(mnuFileUtil, "mnuCopyFile", QStringLiteral("Copy File"), true,
                         [this] { m_operations->CopyFile(m_path, selectedFiles()); });
    mnuPasteFile = action(mnuFileUtil, "mnuPasteFile", QStringLiteral("Paste File"), false,
                          [this] { m_operations->PasteFile(m_path); });
    mnuRenameFile =
        action(mnuFileUtil, "mnuRenameFile", QStringLiteral("Rename File"), true, [this] {
            m_operations->RenameFile(m_path, selectedFiles());
            refresh();
        });
    mnuDelete = action(mnuFileUtil, "mnuDelete", QStringLiteral("Delete File"), false, [this] {
        m_operations->DeleteFile(m_path, selectedFiles());
        refresh();
    });
    mnuRefresh = action(mnuPlayFile, "mnuRefresh", QStringLiteral("Refresh"), true,
                        &FileBrowserPanel::refresh);
}

QStringList FileBrowserPanel::selectedFiles() const
{
    return File1->selectedNames();
}

bool FileBrowserPanel::setPath(const QString &folder)
{
    if (folderProblem(folder))
        return false;
    m_path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    refresh();
    return true;
}

void FileBrowserPanel::refresh()
{
    showFolderList();
    showFileList();
}

void FileBrowserPanel::fillDrives()
{
    Drive1->clear();
    const QString current = QStorageInfo(m_path).rootPath();
    QStringList roots;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            roots << volume.rootPath();
    }
    if (!roots.contains(current))
        roots << current;
    roots.sort();
    roots.removeDuplicates();
    for (const QString &root : std::as_const(roots)) {
        const QString name = QStorageInfo(root).displayName();
        Drive1->addItem(name == root ? root : QStringLiteral("%1  [%2]").arg(root, name), root);
    }
    Drive1->setCurrentIndex(Drive1->findData(current));
}

void FileBrowserPanel::driveChosen(int index)
{
    const QString oldRoot = QStorageInfo(m_path).rootPath();
    if (!moveTo(Drive1->itemData(index).toString()))
        Drive1->setCurrentIndex(Drive1->findData(oldRoot));
}

bool FileBrowserPanel::moveTo(const QString &folder)
{
    if (const auto problem = folderProblem(folder)) {
        m_dialogs.message(QStringLiteral("Error: ") + *problem, AppText::AppTitle,
                          Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
        return false;
    }
    return setPath(folder);
}

void FileBrowserPanel::folderActivated(QListWidgetItem *item)
{
    if (moveTo(item->data(PathRole).toString()))
        Drive1->setCurrentIndex(Drive1->findData(QStorageInfo(m_path).rootPath()));
}

void FileBrowserPanel::showFolderList()
{
    Dir1->clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const auto add = [this](const QIcon &icon, int depth, const QString &name,
                            const QString &path) {
        auto *item = new QListWidgetItem(icon, QString(depth * 3, QLatin1Char(' ')) + name, Dir1);
        item->setData(PathRole, path);
        return item;
    };
    // The chain of folders from the root down to the current one, then its subfolders.
    const QStringList parts = m_path.split(PathNames::Separator, Qt::SkipEmptyParts);
    QString chain = QDir::rootPath();
    QListWidgetItem *current = add(open, 0, chain, chain);
    for (int i = 0; i < parts.size(); ++i) {
        chain = JoinFolderAndFile(chain, parts[i]);
        current = add(open, i + 1, parts[i], chain);
    }
    const QStringList subfolders =
        QDir(m_path).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : subfolders)
        add(closed, int(parts.size()) + 1, name, JoinFolderAndFile(m_path, name));
    Dir1->setCurrentItem(current);
}

void FileBrowserPanel::showFileList()
{
    const QStringList names = QDir(m_path).entryList(FilePattern.split(QLatin1Char(';')),
                                                     QDir::Files, QDir::Name | QDir::IgnoreCase);
    File1->showFolder(m_path, names);
}

void FileBrowserPanel::addSelected()
{
    const QStringList names = selectedFiles();
    if (!names.isEmpty())
        emit addToImageList(m_path, names);
}

void FileBrowserPanel::preparePopup()
{
    const bool onFile = File1->count() > 0 && File1->currentItem() != nullptr;
    for (QAction *a : {mnuAdd, mnuCopyFile, mnuRenameFile, mnuDelete})
        a->setEnabled(onFile);
}

void FileBrowserPanel::openPopup(const QPoint &pos)
{
    preparePopup();
    mnuPlayFile->popup(File1->viewport()->mapToGlobal(pos));
}
