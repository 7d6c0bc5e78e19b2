#pragma once

#include "generator/AlbumGenerator.h"

#include <QHash>
#include <QString>

// The local files that an album's pages name. The pages name pictures, backgrounds and the
// sound by their web names, beside the page, as they will lie on the server; a preview of a
// page kept elsewhere, or of web-safe names that exist only on the server, finds here the
// file each name came from.
class PreviewSources
{
public:
    PreviewSources() = default;
    explicit PreviewSources(const AlbumGenerator::Input &album);

    // The local file a page's name stands for; empty when the album has none, and for names
    // that will not work on the site either.
    QString sourceFor(const QString &webName) const;
    // Why a name the browser asked for is not shown; empty when there is nothing to say.
    QString problemWith(const QString &requested) const;

private:
    void add(const QString &path, bool autoSpace);

    QHash<QString, QString> m_sources;
    QHash<QString, QString> m_unsafe;
};
