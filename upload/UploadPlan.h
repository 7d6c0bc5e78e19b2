#pragma once

#include "project/WorkingSet.h"

#include <QList>
#include <QStringList>

// What an upload sends, worked out from the album before the job starts talking to a server.
struct UploadPlan
{
    struct File
    {
        QString statusName; // shown in "Executing FTP Transfer of ..."
        QString localPath;
        QString remoteName;
    };

    QString targetPath;          // normalised: "/a/b/" or empty
    QStringList directoryLevels; // the levels to create and enter, in order
    QList<File> pages;           // main, link and display page, always all three
    QList<File> extras;          // backgrounds and sound that name a file
    QList<File> pictures;

    // "a/b" becomes "/a/b/"; empty stays empty.
    static QString NormaliseTargetPath(const QString &path);
    // The levels of a normalised path, empty levels (from "//") included.
    static QStringList DirectoryLevels(const QString &normalisedPath);
    // The page the upload panel offers: the last generated one, none while "genhtml" is
    // still a pattern.
    static QString GeneratedPage(const RememberedPaths &paths);
    static UploadPlan make(const WorkingSet &set, const QString &targetPath,
                           const QString &mainPagePath, bool autoSpace);
};
