#pragma once

#include "core/ImageEntry.h"

#include <QStringList>

// The ordered pictures of the album with their display names, the one selected
// row, and the count-and-size label. Never sorted; duplicates allowed.
class ImageList
{
public:
    // Entry indexes are signed 16-bit values in stored projects and the window's lists.
    static constexpr int MaxEntries = 32767;
    static const QString FullMessage;
    static const QString EmptyInfo;

    const ImageEntries &entries() const { return m_entries; }
    int count() const { return int(m_entries.size()); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    const ImageEntry &at(int i) const { return m_entries[i]; }

    int selected() const { return m_selected; }
    // Any row, or -1 for none; out-of-range rows select nothing.
    void select(int row);

    // Appends one picture; false when the list is full or the path holds a line break.
    bool AddToImageList(const QString &path);
    // Appends the given files of a folder, in order, leaving out names with a line break;
    // returns how many were added.
    int AddFolderFiles(const QString &folder, const QStringList &fileNames);
    // Appends an entry exactly as stored (project load); false when full.
    bool append(const ImageEntry &entry);
    // Sets an entry's display name as it stands (project load), blank or not.
    void setDisplayName(int row, const QString &name) { m_entries[row].displayName = name; }

    // A project stores one value a line, so a path with CR or LF could not be read back.
    static bool HoldsLineBreak(const QString &path);
    // Names the files refused for a line break.
    static QString lineBreakMessage(const QStringList &paths);

    void RemoveSelectedImages();
    void ClearImageList();
    bool MoveImageUp();
    bool MoveImageDown();
    // Renames the selected entry; refused (false) when the text is blank.
    bool CommitDisplayName(const QString &text);

    // The label as last set: recomputed, loaded from a project, or emptied by New.
    QString info() const { return m_info; }
    void setInfo(const QString &text) { m_info = text; }
    // Recomputes the label from the files' current sizes.
    QString UpdateImageListInfo();
    static QString infoText(qsizetype count, qint64 totalBytes);

private:
    ImageEntries m_entries;
    int m_selected = -1;
    QString m_info = EmptyInfo;
};
