#include "preview/PreviewSources.h"

#include "core/PathNames.h"

PreviewSources::PreviewSources(const AlbumGenerator::Input &album)
{
    for (const ImageEntry &entry : album.images)
        add(entry.path, album.autoSpace);
    // Background fields hold a colour or a picture path; only a path has a file name.
    if (!album.style.mainBackgroundIsColor)
        add(album.style.mainBackground, album.autoSpace);
    if (!album.style.linkBackgroundIsColor)
        add(album.style.linkBackground, album.autoSpace);
    add(album.style.backgroundSound, album.autoSpace);
}

void PreviewSources::add(const QString &path, bool autoSpace)
{
    const QString webName = AlbumGenerator::WebNameOf(path, autoSpace);
    if (webName.isEmpty())
        return;
    // Without automatic spacing a name with blanks or quotes goes into the pages as it stands,
    // and breaks on the site: the preview shows it broken too.
    if (WebSafeName(webName, true) != webName)
        m_unsafe.insert(webName, path);
    else
        m_sources.insert(webName, path);
}

QString PreviewSources::sourceFor(const QString &webName) const
{
    return m_sources.value(webName);
}

QString PreviewSources::problemWith(const QString &requested) const
{
    // The page may name the file whole, or the browser may have read it only up to the first
    // blank or quote, where an attribute without quotes (or with the same quote) ends.
    const auto cutFrom = [&requested](const QString &name) {
        return name == requested || (!requested.isEmpty() && name.startsWith(requested) &&
                                     QStringLiteral(" '\"").contains(name.at(requested.size())));
    };
    for (auto it = m_unsafe.cbegin(); it != m_unsafe.cend(); ++it) {
        if (cutFrom(it.key()))
            return QStringLiteral("\"%1\" is not shown: its name holds blanks or quotes and "
                                  "automatic spacing is off, so it will not show on the web site "
                                  "either.")
                .arg(it.key());
    }
    return {};
}
