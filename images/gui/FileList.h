#pragma once

#include <QListWidget>

// The file list of the file browser: names of one folder, several selectable, dragged
// out as file URLs so the image list (or any file manager) can take them.
class FileList : public QListWidget
{
    Q_OBJECT
public:
    explicit FileList(QWidget *parent = nullptr);

    QString folder() const { return m_folder; }
    // Shows names of folder, in the given order.
    void showFolder(const QString &folder, const QStringList &names);
    // Selected names, first to last as listed.
    QStringList selectedNames() const;

protected:
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QList<QListWidgetItem *> &items) const override;
    // Copy only: a target that moves would otherwise take the rows out of this list.
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }

private:
    QString m_folder;
};
