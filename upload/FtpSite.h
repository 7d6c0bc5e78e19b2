#pragma once

#include <QString>

// One remembered FTP site: the five upload panel fields.
struct FtpSite
{
    QString url;
    QString userName;
    QString password;
    QString urlPath;
    QString filePath;

    bool operator==(const FtpSite &) const = default;
};
