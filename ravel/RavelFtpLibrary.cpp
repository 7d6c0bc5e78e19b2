#include "ravel/RavelFtpLibrary.h"

#include <QFileInfo>
#include <dlfcn.h>

bool RavelFtpLibrary::load(const QString &path, QString *error)
{
    m_library.setFileName(path);
    using Table = const FtpLibFunctions *(*)();
    const auto table = reinterpret_cast<Table>(m_library.resolve("LibFunctions"));
    if (!table) {
        *error = m_library.errorString();
        return false;
    }
    m_functions = table();
    return true;
}

QString RavelFtpLibrary::besideComponent()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void *>(&RavelFtpLibrary::besideComponent), &info) &&
        info.dli_fname)
        return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath() +
               QStringLiteral("/ravelftp");
    return QStringLiteral("ravelftp");
}
