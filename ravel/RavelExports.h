#pragma once

#include <QtGlobal>

class RavelClassFactory;

// The component library's version record; the same texts sit in its ".ravel_version"
// section, where tools can read them without loading it.
struct RavelVersionInfo
{
    const char *fileVersion;
    const char *productVersion;
    const char *fileDescription;
    const char *productName;
    const char *originalFileName;
};

// What the component library exports to hosts and installers, with C names so that they are
// found by QLibrary::resolve. Registration results are RavelRegistry's.
extern "C" {
Q_DECL_EXPORT qint32 RavelRegisterServer();
Q_DECL_EXPORT qint32 RavelUnregisterServer();
// 0 when no object made by the library's factories is alive, else 1.
Q_DECL_EXPORT qint32 RavelCanUnloadNow();
// The factory of a class named by ProgID or class id; nullptr for a class of another library.
Q_DECL_EXPORT RavelClassFactory *RavelGetClassObject(const char *name);
Q_DECL_EXPORT const RavelVersionInfo *RavelGetVersionInfo();
}
