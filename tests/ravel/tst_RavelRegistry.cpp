#include "ravel/CRavelCtrl.h"
#include "ravel/RavelDispatch.h"
#include "ravel/RavelExports.h"
#include "ravel/RavelRegistry.h"

#include <QFile>
#include <QLibrary>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// The per-user registry file: registering, creating by ProgID, unregistering, and the
// library's exported entry points.
class tst_RavelRegistry : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void registerCreateUnregister();
    void entriesNameEveryClass();
    void exportsAreResolvable();
    void versionRecord();
    void unwritableFolderFails();
    void otherComponentsStay();
    void ensureRegisteredRepairsAStaleEntry();
    void commandLine_data();
    void commandLine();
    void windowsNeedAWindowSystem();

private:
    std::unique_ptr<QTemporaryDir> m_home;
};

void tst_RavelRegistry::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    qputenv("XDG_DATA_HOME", m_home->path().toLocal8Bit());
}

void tst_RavelRegistry::registerCreateUnregister()
{
    const QString progId = QStringLiteral("Ravel.RavelCtrl.1");
    QString error;
    QVERIFY(!RavelRegistry::createObject(progId, nullptr, &error));
    QVERIFY2(error.contains(QLatin1String("not registered")), qPrintable(error));

    QCOMPARE(RavelRegisterServer(), RavelRegistry::Ok);
    QCOMPARE(RavelRegistry::fileName(), m_home->filePath(QStringLiteral("Ravel/registry.ini")));
    std::unique_ptr<QObject> made(RavelRegistry::createObject(progId, nullptr, &error));
    QVERIFY2(made, qPrintable(error));
    auto *ctrl = qobject_cast<CRavelCtrl *>(made.get());
    QVERIFY(ctrl);
    QCOMPARE(
        RavelDispatch::invoke(*ctrl, QStringLiteral("Port"), RavelDispatch::Kind::Get, {}).value,
        QVariant(21));
    QCOMPARE(RavelCanUnloadNow(), 1);
    made.reset();
    QCOMPARE(RavelCanUnloadNow(), 0);

    QCOMPARE(RavelUnregisterServer(), RavelRegistry::Ok);
    error.clear();
    QVERIFY(!RavelRegistry::createObject(progId, nullptr, &error));
    QVERIFY2(error.contains(QLatin1String("Class not registered: Ravel.RavelCtrl.1")),
             qPrintable(error));
    QVERIFY(QSettings(RavelRegistry::fileName(), QSettings::IniFormat).childGroups().isEmpty());
    // Unregistering what is not registered is no failure.
    QCOMPARE(RavelUnregisterServer(), RavelRegistry::Ok);
}

void tst_RavelRegistry::entriesNameEveryClass()
{
    QCOMPARE(RavelRegisterServer(), RavelRegistry::Ok);
    const QSettings s(RavelRegistry::fileName(), QSettings::IniFormat);
    QCOMPARE(s.value("TypeLib/Name").toString(), QStringLiteral("RavelLib"));
    QCOMPARE(s.value("TypeLib/Version").toString(), QStringLiteral("1.0"));
    QCOMPARE(s.value("TypeLib/Description").toString(),
             QStringLiteral("Ravel ActiveX Control module"));
    QCOMPARE(s.value("Ravel.RavelCtrl.1/Name").toString(), QStringLiteral("Ravel Control"));
    QCOMPARE(s.value("Ravel.RavelCtrl.1/ThreadingModel").toString(), QStringLiteral("Apartment"));
    QCOMPARE(s.value("Ravel.RavelCtrl.1/Library").toString(), RavelRegistry::componentFile());
    const QList<std::pair<QString, QString>> pages = {
        {"Ravel.CRavelLoginPropPage.1", "Login Info"},
        {"Ravel.CRavelSettingsPropPage.1", "FTP Settings"},
        {"Ravel.CRavelProxyPropPage.1", "Firewall"},
        {"Ravel.CRavelMiscPropPage.1", "File Settings"}};
    QStringList order;
    for (const auto &[progId, caption] : pages) {
        QCOMPARE(s.value(progId + "/Name").toString(), caption);
        QVERIFY(!s.value(progId + "/CLSID").toString().isEmpty());
        order << progId;
    }
    QCOMPARE(s.value("Ravel.RavelCtrl.1/PropertyPages").toString(), order.join(' '));
}

void tst_RavelRegistry::exportsAreResolvable()
{
    QLibrary library(RavelRegistry::componentFile());
    for (const char *name : {"RavelRegisterServer", "RavelUnregisterServer", "RavelCanUnloadNow",
                             "RavelGetClassObject", "RavelGetVersionInfo"})
        QVERIFY2(library.resolve(name), name);
    using Get = RavelClassFactory *(*)(const char *);
    const auto get = reinterpret_cast<Get>(library.resolve("RavelGetClassObject"));
    for (const auto &c : RavelRegistry::classes()) {
        QVERIFY(get(c.progId.toLatin1().constData()));
        QCOMPARE(get(c.clsid.toLatin1().constData()), get(c.progId.toLatin1().constData()));
    }
    QVERIFY(!get("Other.Thing.1"));
    QVERIFY(!get(nullptr));
}

void tst_RavelRegistry::versionRecord()
{
    const RavelVersionInfo *info = RavelGetVersionInfo();
    QCOMPARE(info->fileVersion, "1.0.0.4");
    QCOMPARE(info->productVersion, "1.0.0.4");
    QCOMPARE(info->fileDescription, "Ravel Threaded FTP Client ActiveX");
    QCOMPARE(info->productName, "Ravel Threaded Ftp");
    // Also readable from the file itself, without loading it.
    QFile file(RavelRegistry::componentFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.contains(QByteArray("ProductName=Ravel Threaded Ftp\0", 31)));
}

void tst_RavelRegistry::unwritableFolderFails()
{
    // "Ravel" exists as a file, so the registry's folder cannot be made.
    QFile blocker(m_home->filePath(QStringLiteral("Ravel")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QCOMPARE(RavelRegisterServer(), RavelRegistry::TypeLibFailed);
    QCOMPARE(quint32(RavelRegistry::TypeLibFailed), 0x80040200u);
    QCOMPARE(quint32(RavelRegistry::ClassFailed), 0x80040201u);
}

void tst_RavelRegistry::otherComponentsStay()
{
    QCOMPARE(RavelRegisterServer(), RavelRegistry::Ok);
    {
        QSettings s(RavelRegistry::fileName(), QSettings::IniFormat);
        s.setValue("Other.Thing.1/Library", "/opt/other.so");
    }
    QCOMPARE(RavelUnregisterServer(), RavelRegistry::Ok);
    const QSettings s(RavelRegistry::fileName(), QSettings::IniFormat);
    QCOMPARE(s.childGroups(), QStringList{"Other.Thing.1"});
}

void tst_RavelRegistry::ensureRegisteredRepairsAStaleEntry()
{
    QCOMPARE(RavelRegistry::registerServer(QStringLiteral("/gone/libRavel.so")), RavelRegistry::Ok);
    QString error;
    QVERIFY(!RavelRegistry::createObject(QStringLiteral("Ravel.RavelCtrl.1"), nullptr, &error));
    QVERIFY2(error.contains(QLatin1String("/gone/libRavel.so")), qPrintable(error));
    QCOMPARE(RavelRegistry::ensureRegistered(), RavelRegistry::Ok);
    QCOMPARE(RavelRegistry::libraryOf(QStringLiteral("Ravel.CRavelMiscPropPage.1")),
             RavelRegistry::componentFile());
    std::unique_ptr<QObject> made(
        RavelRegistry::createObject(QStringLiteral("Ravel.RavelCtrl.1"), nullptr, &error));
    QVERIFY2(made, qPrintable(error));
}

void tst_RavelRegistry::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("registered");
    QTest::newRow("register") << QStringList{"--register"} << 0 << true;
    QTest::newRow("both options") << QStringList{"--register", "--unregister"} << 2 << false;
}

void tst_RavelRegistry::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(bool, registered);
    const QString lumora = qEnvironmentVariable("LUMORA_BINARY");
    QProcess process;
    process.start(lumora, QStringList{"ravel"} + arguments);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), exitCode);
    QCOMPARE(RavelRegistry::libraryOf(QStringLiteral("Ravel.RavelCtrl.1")).has_value(), registered);
    if (!registered)
        return;
    process.start(lumora, {"ravel", "--unregister"});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    QVERIFY(!RavelRegistry::libraryOf(QStringLiteral("Ravel.RavelCtrl.1")));
}

void tst_RavelRegistry::windowsNeedAWindowSystem()
{
    // This host is a console program: the pages and the about box must say so, not crash.
    QCOMPARE(RavelRegisterServer(), RavelRegistry::Ok);
    QString error;
    QVERIFY(!RavelRegistry::createObject(QStringLiteral("Ravel.CRavelLoginPropPage.1"), nullptr,
                                         &error));
    QVERIFY2(error.contains(QLatin1String("no windows")), qPrintable(error));
    CRavelCtrl ctrl;
    for (const char *method : {"ShowPropPage", "AboutBox"}) {
        const RavelDispatch::Result r =
            RavelDispatch::invoke(ctrl, QLatin1String(method), RavelDispatch::Kind::Call, {});
        QVERIFY(r.error);
        QCOMPARE(r.error->number(), 445);
        QVERIFY2(r.error->description().contains(QLatin1String("no windows")),
                 qPrintable(r.error->description()));
    }
}

QTEST_GUILESS_MAIN(tst_RavelRegistry)
#include "tst_RavelRegistry.moc"
