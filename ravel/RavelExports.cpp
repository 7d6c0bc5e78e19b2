#include "ravel/RavelExports.h"

#include "ravel/RavelClassFactory.h"
#include "ravel/RavelRegistry.h"

#include <cstring>

namespace {

// Kept in a section of its own, as a version resource would be.
__attribute__((section(".ravel_version"), used)) const char VersionRecord[] =
    "FileVersion=1.0.0.4\0"
    "ProductVersion=1.0.0.4\0"
    "FileDescription=Ravel Threaded FTP Client ActiveX\0"
    "ProductName=Ravel Threaded Ftp\0"
    "OriginalFilename=libRavel.so\0";

const char *versionValue(const char *key)
{
    const size_t keyLength = std::strlen(key);
    for (const char *p = VersionRecord; p < VersionRecord + sizeof VersionRecord - 1;
         p += std::strlen(p) + 1)
        if (std::strncmp(p, key, keyLength) == 0 && p[keyLength] == '=')
            return p + keyLength + 1;
    return "";
}

} // namespace

qint32 RavelRegisterServer()
{
    return RavelRegistry::registerServer();
}

qint32 RavelUnregisterServer()
{
    return RavelRegistry::unregisterServer();
}

qint32 RavelCanUnloadNow()
{
    return RavelClassFactory::liveObjects() == 0 ? 0 : 1;
}

RavelClassFactory *RavelGetClassObject(const char *name)
{
    return name ? RavelClassFactory::forClass(QString::fromLatin1(name)) : nullptr;
}

const RavelVersionInfo *RavelGetVersionInfo()
{
    static const RavelVersionInfo info{versionValue("FileVersion"), versionValue("ProductVersion"),
                                       versionValue("FileDescription"), versionValue("ProductName"),
                                       versionValue("OriginalFilename")};
    return &info;
}
