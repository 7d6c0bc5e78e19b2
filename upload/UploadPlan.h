#pragma once

#include "project/WorkingSet.h"

#include <QList>
#include <QStringList>
#include <optional>

// What an upload sends, worked out from the album before the job starts talking to a server.
struct UploadPlan
{
    struct File
    {
        QString statusName; // shown in "Executing FTP Transfer of ..."
        QString localPath;
        QString remoteName;
        // The link and display pages, which single-page layouts never write.
        bool companion = false;
    };

    QString targetPath;          // normalised: "/a/b/" or empty
    QStringList directoryLevels; // the levels to create and enter, in order
    QList<File> pages;           // main, link and display page, always all three
    QList<File> extras;          // backgrounds and sound that name a file
    QList<File> pictures;
    // A gallery's whole site in sending order, instead of pages, extras and pictures; a remote
    // name may lead into one sub-folder the layout made ("album_img/one-400.jpg").
    QList<File> siteFiles;
    QString pageBaseName;

    // "a/b" becomes "/a/b/"; empty stays empty.
    static QString NormaliseTargetPath(const QString &path);
    // The levels of a normalised path, empty levels (from "//") included.
    static QStringList DirectoryLevels(const QString &normalisedPath);
    // The page the upload panel offers: the last generated one, none while "genhtml" is
    // still a pattern.
    static QString GeneratedPage(const RememberedPaths &paths);
    // The first name that would leave the target folder on the server (a page base name or a
    // remote name holding "/", or being "." or ".."), or nothing when every name stays in it.
    std::optional<QString> climbingName() const;
    // The sub-folders the site files lead into, in order of first use.
    QStringList siteFolders() const;
    static UploadPlan make(const WorkingSet &set, const QString &targetPath,
                           const QString &mainPagePath, bool autoSpace);
};
