#include "images/ImageList.h"

#include "core/ErrorInfo.h"
#include "core/PathNames.h"

#include <QFileInfo>
#include <cmath>

const QString ImageList::FullMessage = QStringLiteral(
    "The Image List is full: it holds at most 32767 images.\r\nThe remaining images were not "
    "added.");
const QString ImageList::EmptyInfo = QStringLiteral("Image Count:0   Total Size:0Kb");

namespace {
// Display names drop exactly four characters: the dot and a three-letter extension.
QString displayNameOf(const QString &fileName)
{
    return fileName.left(std::max<qsizetype>(0, fileName.size() - 4));
}
} // namespace

void ImageList::select(int row)
{
    m_selected = (row >= 0 && row < count()) ? row : -1;
}

bool ImageList::append(const ImageEntry &entry)
{
    if (count() >= MaxEntries)
        return false;
    m_entries.append(entry);
    return true;
}

bool ImageList::HoldsLineBreak(const QString &path)
{
    return path.contains(QLatin1Char('\r')) || path.contains(QLatin1Char('\n'));
}

QString ImageList::lineBreakMessage(const QStringList &paths)
{
    QStringList shown;
    for (QString path : paths)
        shown << ErrorInfo::quoted(path.replace(QLatin1Char('\r'), QLatin1String("\\r"))
                                       .replace(QLatin1Char('\n'), QLatin1String("\\n")));
    return QStringLiteral("These files were not added: their names hold a line break, which a "
                          "Lumora file cannot store.\r\n") +
           shown.join(QLatin1String("\r\n"));
}

bool ImageList::AddToImageList(const QString &path)
{
    return !HoldsLineBreak(path) && append({path, displayNameOf(FileNameOf(path))});
}

int ImageList::AddFolderFiles(const QString &folder, const QStringList &fileNames)
{
    int added = 0;
    for (const QString &name : fileNames) {
        if (HoldsLineBreak(name))
            continue;
        if (!append({JoinFolderAndFile(folder, name), displayNameOf(name)}))
            break;
        ++added;
    }
    return added;
}

void ImageList::RemoveSelectedImages()
{
    if (m_selected < 0)
        return;
    m_entries.removeAt(m_selected);
    m_selected = -1;
}

void ImageList::ClearImageList()
{
    m_entries.clear();
    m_selected = -1;
}

bool ImageList::MoveImageUp()
{
    if (m_selected <= 0)
        return false;
    m_entries.swapItemsAt(m_selected, m_selected - 1);
    --m_selected;
    return true;
}

bool ImageList::MoveImageDown()
{
    if (m_selected < 0 || m_selected >= count() - 1)
        return false;
    m_entries.swapItemsAt(m_selected, m_selected + 1);
    ++m_selected;
    return true;
}

bool ImageList::CommitDisplayName(const QString &text)
{
    if (m_selected < 0 || text.trimmed().isEmpty())
        return false;
    m_entries[m_selected].displayName = text;
    return true;
}

QString ImageList::infoText(qsizetype count, qint64 totalBytes)
{
    // Round half to even, as the label always has.
    const auto kilobytes = qint64(std::nearbyint(double(totalBytes) / 1024.0));
    return QStringLiteral("Image Count:%1   Total Size:%2Kb").arg(count).arg(kilobytes);
}

QString ImageList::UpdateImageListInfo()
{
    qint64 total = 0;
    for (const ImageEntry &entry : std::as_const(m_entries)) {
        // A file that is gone or cannot be measured counts nothing.
        const QFileInfo file(entry.path);
        if (file.isFile())
            total += file.size();
    }
    m_info = infoText(m_entries.size(), total);
    return m_info;
}
