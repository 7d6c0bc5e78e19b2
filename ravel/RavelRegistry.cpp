#include "ravel/RavelRegistry.h"

#include "ravel/CRavelCtrl.h"
#include "ravel/RavelClassFactory.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QMetaClassInfo>
#include <QSettings>
#include <dlfcn.h>

namespace {

const QString TypeLibGroup = QStringLiteral("TypeLib");
const QString TypeLibId = QStringLiteral("5b3eb69d-8572-4a31-83da-575e0fb49da4");
const QString LibraryKey = QStringLiteral("Library");

QString classInfo(const char *name)
{
    const QMetaObject &meta = CRavelCtrl::staticMetaObject;
    return QString::fromUtf8(meta.classInfo(meta.indexOfClassInfo(name)).value());
}

bool synced(QSettings &settings)
{
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace

const std::vector<RavelRegistry::ClassInfo> &RavelRegistry::classes()
{
    static const std::vector<ClassInfo> all = {
        {QStringLiteral("Ravel.RavelCtrl.1"),
         QStringLiteral("8f33ce1f-bc03-45f0-a115-b25be3bfc80f"), classInfo("TypeName"), true},
        {QStringLiteral("Ravel.CRavelLoginPropPage.1"),
         QStringLiteral("2b58e5bd-3dd6-459e-a64e-f7a82299fd38"), QStringLiteral("Login Info")},
        {QStringLiteral("Ravel.CRavelSettingsPropPage.1"),
         QStringLiteral("cf4585b5-16c3-4fa5-ba3f-c78ebd27d4ae"), QStringLiteral("FTP Settings")},
        {QStringLiteral("Ravel.CRavelProxyPropPage.1"),
         QStringLiteral("7bdc5914-4d5f-4d16-a34e-378ebc1ae54f"), QStringLiteral("Firewall")},
        {QStringLiteral("Ravel.CRavelMiscPropPage.1"),
         QStringLiteral("8132638f-911d-4b7f-ac28-bfdc37d3afeb"), QStringLiteral("File Settings")},
    };
    return all;
}

QString RavelRegistry::fileName()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    // A relative XDG_DATA_HOME is not valid and counts as unset.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/Ravel/registry.ini");
}

QString RavelRegistry::componentFile()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void *>(&RavelRegistry::componentFile), &info) &&
        info.dli_fname)
        return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).canonicalFilePath();
    return {};
}

qint32 RavelRegistry::registerServer(const QString &library)
{
    if (!QDir().mkpath(QFileInfo(fileName()).absolutePath()))
        return TypeLibFailed;
    QSettings settings(fileName(), QSettings::IniFormat);
    settings.beginGroup(TypeLibGroup);
    settings.setValue(QStringLiteral("Id"), TypeLibId);
    settings.setValue(QStringLiteral("Name"), classInfo("TypeLibrary"));
    settings.setValue(QStringLiteral("Version"), classInfo("TypeLibraryVersion"));
    settings.setValue(QStringLiteral("Description"), classInfo("TypeLibraryDescription"));
    settings.setValue(QStringLiteral("HelpFile"), classInfo("TypeLibraryHelpFile"));
    settings.setValue(LibraryKey, library);
    settings.endGroup();
    if (!synced(settings))
        return TypeLibFailed;

    QStringList pages;
    for (const ClassInfo &c : classes())
        if (!c.control)
            pages << c.progId;
    for (const ClassInfo &c : classes()) {
        settings.beginGroup(c.progId);
        settings.setValue(QStringLiteral("CLSID"), c.clsid);
        settings.setValue(QStringLiteral("Name"), c.name);
        settings.setValue(LibraryKey, library);
        settings.setValue(QStringLiteral("ThreadingModel"), QStringLiteral("Apartment"));
        if (c.control) {
            settings.setValue(QStringLiteral("Control"), true);
            settings.setValue(QStringLiteral("TypeLib"), TypeLibId);
            settings.setValue(QStringLiteral("Version"), classInfo("TypeLibraryVersion"));
            settings.setValue(QStringLiteral("ToolboxBitmap"), QStringLiteral(":/ravel/Ravel.png"));
            settings.setValue(QStringLiteral("MiscStatus"),
                              QStringLiteral("InvisibleAtRuntime SetClientSiteFirst "
                                             "ActivateWhenVisible InsideOut CantLinkInside"));
            settings.setValue(QStringLiteral("PropertyPages"), pages.join(QLatin1Char(' ')));
        }
        settings.endGroup();
    }
    return synced(settings) ? Ok : ClassFailed;
}

qint32 RavelRegistry::unregisterServer()
{
    if (!QFileInfo::exists(fileName()))
        return Ok;
    QSettings settings(fileName(), QSettings::IniFormat);
    // Only our own type library, version 1.0: the file may hold other components.
    if (settings.value(TypeLibGroup + QStringLiteral("/Id")).toString() == TypeLibId &&
        settings.value(TypeLibGroup + QStringLiteral("/Version")).toString() ==
            classInfo("TypeLibraryVersion"))
        settings.remove(TypeLibGroup);
    if (!synced(settings))
        return TypeLibFailed;
    for (const ClassInfo &c : classes())
        settings.remove(c.progId);
    return synced(settings) ? Ok : ClassFailed;
}

qint32 RavelRegistry::ensureRegistered()
{
    const QString library = componentFile();
    for (const ClassInfo &c : classes())
        if (libraryOf(c.progId) != library)
            return registerServer(library);
    return Ok;
}

std::optional<QString> RavelRegistry::libraryOf(const QString &progId)
{
    const QSettings settings(fileName(), QSettings::IniFormat);
    const QString library = settings.value(progId + QLatin1Char('/') + LibraryKey).toString();
    if (library.isEmpty())
        return std::nullopt;
    return library;
}

QObject *RavelRegistry::createObject(const QString &progId, QObject *parent, QString *error)
{
    const std::optional<QString> path = libraryOf(progId);
    if (!path) {
        *error = QStringLiteral("Class not registered: %1 (not in %2)").arg(progId, fileName());
        return nullptr;
    }
    QLibrary library(*path);
    using GetClassObject = RavelClassFactory *(*)(const char *);
    const auto get = reinterpret_cast<GetClassObject>(library.resolve("RavelGetClassObject"));
    if (!get) {
        *error =
            QStringLiteral("Cannot load %1 for %2: %3").arg(*path, progId, library.errorString());
        return nullptr;
    }
    RavelClassFactory *factory = get(progId.toLatin1().constData());
    if (!factory) {
        *error = QStringLiteral("%1 has no class %2").arg(*path, progId);
        return nullptr;
    }
    return factory->createInstance(parent, error);
}
