#pragma once

#include <QString>
#include <optional>
#include <vector>

class QObject;

// The per-user registry file that stands in for the system registry: it records where the
// component's classes live, so hosts create them by ProgID. Results are those of
// self-registration: 0, or one of the failure codes below.
class RavelRegistry
{
public:
    static constexpr qint32 Ok = 0;
    static constexpr qint32 TypeLibFailed = qint32(0x80040200u);
    static constexpr qint32 ClassFailed = qint32(0x80040201u);

    struct ClassInfo
    {
        QString progId;
        QString clsid;
        // The type name of the control, the caption of a page.
        QString name;
        bool control = false;
    };
    // The control first, then its property pages in the order the frame shows them.
    static const std::vector<ClassInfo> &classes();

    // $XDG_DATA_HOME/Ravel/registry.ini, ~/.local/share when the variable is unset.
    static QString fileName();
    // The shared library that holds the component.
    static QString componentFile();

    static qint32 registerServer(const QString &library = componentFile());
    static qint32 unregisterServer();
    // Registers this library unless the registry already points at it.
    static qint32 ensureRegistered();
    // The library recorded for a ProgID; nullopt when the class is not registered.
    static std::optional<QString> libraryOf(const QString &progId);

    // Creates an object of a registered class through the library recorded for it. The
    // caller owns it (or `parent` does). Nullptr with `error` set on failure.
    static QObject *createObject(const QString &progId, QObject *parent, QString *error);
};
