#pragma once

#include "upload/FtpSiteMemory.h"

// The upload panel's fields as the upload job reads and writes them: the window's panel,
// or the command line's options.
class UploadFields
{
public:
    virtual ~UploadFields() = default;
    // Read anew at each use: the fields stay editable while a job runs.
    virtual FtpSite site() const = 0;
    virtual void setUrlPath(const QString &path) = 0;
    // The remembered sites changed (the URL list shows them).
    virtual void showSites(const FtpSiteMemory::Sites &sites) = 0;
};
