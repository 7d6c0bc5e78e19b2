#include "upload/UploadTally.h"

#include "core/AppText.h"

void UploadTally::failed(const QString &localName)
{
    ++m_meant;
    m_failed.append(localName);
}

QString UploadTally::statusLine() const
{
    return QStringLiteral("FTP Upload Incomplete: %1 of %2 files not uploaded.")
        .arg(m_failed.size())
        .arg(m_meant);
}

QString UploadTally::message() const
{
    QStringList lines = {
        QStringLiteral("FTP Upload Incomplete!"),
        QStringLiteral("%1 of %2 files were not uploaded:").arg(m_failed.size()).arg(m_meant)};
    lines += m_failed.mid(0, NamesShown);
    if (m_failed.size() > NamesShown)
        lines += QStringLiteral("and %1 more").arg(m_failed.size() - NamesShown);
    return lines.join(AppText::LineBreak);
}
