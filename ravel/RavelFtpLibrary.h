#pragma once

#include "ravel/ftplib/FtpLib.h"

#include <QLibrary>
#include <QString>

// Our FTP library, loaded by name at run time. The component never links it, so a host
// without it still loads the component and learns of the problem from the calls it makes.
class RavelFtpLibrary
{
public:
    // Loads the library; on failure `error` says why.
    bool load(const QString &path, QString *error);
    const FtpLibFunctions *operator->() const { return m_functions; }

    // The library beside the file that holds the component.
    static QString besideComponent();

private:
    QLibrary m_library;
    const FtpLibFunctions *m_functions = nullptr;
};
