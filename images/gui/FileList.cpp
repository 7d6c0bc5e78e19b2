#include "images/gui/FileList.h"

#include "core/PathNames.h"

#include <QMimeData>
#include <QUrl>

FileList::FileList(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
}

void FileList::showFolder(const QString &folder, const QStringList &names)
{
    m_folder = folder;
    clear();
    addItems(names);
}

QStringList FileList::selectedNames() const
{
    QStringList names;
    for (int row = 0; row < count(); ++row) {
        if (item(row)->isSelected())
            names << item(row)->text();
    }
    return names;
}

QStringList FileList::mimeTypes() const
{
    return {QStringLiteral("text/uri-list")};
}

QMimeData *FileList::mimeData(const QList<QListWidgetItem *> &items) const
{
    // Dragged in list order, whatever order the items were clicked in.
    QList<QListWidgetItem *> ordered = items;
    std::sort(ordered.begin(), ordered.end(),
              [this](QListWidgetItem *a, QListWidgetItem *b) { return row(a) < row(b); });
    QList<QUrl> urls;
    for (const QListWidgetItem *item : std::as_const(ordered))
        urls << QUrl::fromLocalFile(JoinFolderAndFile(m_folder, item->text()));
    auto *data = new QMimeData;
    data->setUrls(urls);
    return data;
}
