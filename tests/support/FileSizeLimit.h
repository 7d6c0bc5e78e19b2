#pragma once

#include <sys/resource.h>

// Makes every file write beyond a few bytes fail, as a full disk would, for the
// life of the object. Works for root too, who ignores folder permissions.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
    bool active() const { return m_active; }

private:
    rlimit m_saved{};
    bool m_active = false;
};
