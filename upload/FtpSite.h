#pragma once

#include <QString>

// How much of the album a job sends, remembered with each site.
struct PublishOptions
{
    // Skip files the album's remote folder already holds, by the manifest left there.
    bool changedOnly = false;
    // With changedOnly: delete what the last upload sent and the album no longer has.
    bool deleteRemoved = false;
    bool operator==(const PublishOptions &) const = default;
};

// One remembered FTP site: the five upload panel fields.
struct FtpSite
{
    QString url;
    QString userName;
    QString password;
    QString urlPath;
    QString filePath;
    PublishOptions options = {};

    bool operator==(const FtpSite &) const = default;
};
