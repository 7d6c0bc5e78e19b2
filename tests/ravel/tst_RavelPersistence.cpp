#include "ravel/CRavelCtrl.h"
#include "ravel/RavelDispatch.h"
#include "ravel/RavelPersistence.h"
#include "ravel/RavelValueList.h"

#include <QTemporaryDir>
#include <QTest>

// Saving and loading the component's settings as a host document keeps them.
class tst_RavelPersistence : public QObject
{
    Q_OBJECT
private slots:
    void defaultsSurviveSaveAndLoad();
    void orderAndVersion();
    void accountIsNotSaved();
    void loadRunsNoJobs();
    void unusableValuesTakeDefaults_data();
    void unusableValuesTakeDefaults();
    void otherVersionChangesNothing();
    void textSurvivesFile();
    void brokenFileIsRefused_data();
    void brokenFileIsRefused();
    void resetAppliesDefaults();
    void valueLists_data();
    void valueLists();
};

namespace {
QVariant valueOf(CRavelCtrl &ctrl, const char *name)
{
    const RavelDispatch::Result r =
        RavelDispatch::invoke(ctrl, QLatin1String(name), RavelDispatch::Kind::Get, {});
    return r.value;
}

RavelPropertyBag changedBag()
{
    RavelPropertyBag bag;
    for (const auto &[key, value] : {std::pair{"UserName", "someone"},
                                     {"Port", "2121"},
                                     {"TimeOut", "7"},
                                     {"FileType", "0"},
                                     {"AsyncMode", "False"},
                                     {"LongDirs", "False"},
                                     {"VerboseMode", "False"},
                                     {"LogToFile", "True"},
                                     {"ProxyPort", "8080"}})
        bag.write(QLatin1String(key), QLatin1String(value));
    return bag;
}
} // namespace

void tst_RavelPersistence::defaultsSurviveSaveAndLoad()
{
    CRavelCtrl fresh;
    const RavelPropertyBag saved = RavelPersistence::save(fresh);
    // The constructor and the persisted defaults must not drift apart.
    QCOMPARE(saved, RavelPersistence::defaults());

    QString error;
    const auto reread = RavelPropertyBag::fromText(saved.toText(), &error);
    QVERIFY2(reread, qPrintable(error));
    CRavelCtrl loaded;
    QVERIFY(RavelPersistence::load(loaded, changedBag()).loaded);
    QCOMPARE(valueOf(loaded, "Port"), QVariant(2121));
    const RavelPersistence::LoadResult result = RavelPersistence::load(loaded, *reread);
    QVERIFY(result.loaded);
    QVERIFY(result.defaulted.isEmpty());
    QCOMPARE(valueOf(loaded, "UserName"), QVariant(QStringLiteral("anonymous")));
    QCOMPARE(valueOf(loaded, "Port"), QVariant(21));
    QCOMPARE(valueOf(loaded, "TimeOut"), QVariant(30));
    QCOMPARE(valueOf(loaded, "FileType"), QVariant(1));
    QCOMPARE(valueOf(loaded, "AsyncMode"), QVariant(true));
    QCOMPARE(valueOf(loaded, "LongDirs"), QVariant(true));
    QCOMPARE(valueOf(loaded, "VerboseMode"), QVariant(true));
    QCOMPARE(valueOf(loaded, "LogToFile"), QVariant(false));
    QCOMPARE(valueOf(loaded, "ProxyPort"), QVariant(2323));
    QVERIFY(!loaded.isModified());
}

void tst_RavelPersistence::orderAndVersion()
{
    CRavelCtrl ctrl;
    const QStringList expected = {
        "_Version",   "_ExtentX",           "_ExtentY",    "UserName",     "PassWord",
        "RemoteHost", "ProxyUserID",        "ProxyHost",   "InitDir",      "LocalFile",
        "RemoteFile", "ProxyPassWd",        "LogFileName", "Port",         "ProxyPort",
        "TimeOut",    "FileType",           "ProxyType",   "Passive",      "UseProxy",
        "AsyncMode",  "LongDirs",           "VerboseMode", "AppendToFile", "LogToFile",
        "Security",   "TrustedFingerprint", "CaFile"};
    const RavelPropertyBag bag = RavelPersistence::save(ctrl);
    QCOMPARE(bag.keys(), expected);
    QCOMPARE(bag.read(QStringLiteral("_Version")), QStringLiteral("1.0"));
}

void tst_RavelPersistence::accountIsNotSaved()
{
    CRavelCtrl typed;
    RavelDispatch::invoke(typed, QStringLiteral("Account"), RavelDispatch::Kind::Put,
                          {QStringLiteral("acct")});
    QVERIFY(typed.isModified());
    const RavelPropertyBag bag = RavelPersistence::save(typed);
    QVERIFY(!bag.keys().contains(QStringLiteral("Account")));
    QVERIFY(!typed.isModified());

    CRavelCtrl loaded;
    QVERIFY(RavelPersistence::load(loaded, bag).loaded);
    QCOMPARE(valueOf(loaded, "Account"), QVariant(QString()));
}

void tst_RavelPersistence::loadRunsNoJobs()
{
    // Without its FTP library the worker never becomes ready, so any job would fail.
    CRavelCtrl ctrl;
    ctrl.setLibraryPath(QStringLiteral("/nonexistent/ravelftp"));
    const RavelDispatch::Result viaSetter =
        RavelDispatch::invoke(ctrl, QStringLiteral("Port"), RavelDispatch::Kind::Put, {2121});
    QVERIFY(viaSetter.error);
    QVERIFY(RavelPersistence::load(ctrl, changedBag()).loaded);
    QCOMPARE(ctrl.Port(), 2121);
    QCOMPARE(ctrl.TimeOut(), 7);
    QCOMPARE(ctrl.LogToFile(), true);
    QCOMPARE(ctrl.AsyncMode(), false);
}

void tst_RavelPersistence::unusableValuesTakeDefaults_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("port above range") << "Port"
                                      << "40000" << QVariant(21);
    QTest::newRow("port not a number") << "Port"
                                       << "21x" << QVariant(21);
    QTest::newRow("security above range") << "Security"
                                          << "3" << QVariant(0);
    QTest::newRow("proxy port above range") << "ProxyPort"
                                            << "40000" << QVariant(2323);
    QTest::newRow("negative time-out") << "TimeOut"
                                       << "-1" << QVariant(30);
    QTest::newRow("file type 2") << "FileType"
                                 << "2" << QVariant(1);
    QTest::newRow("proxy type 4") << "ProxyType"
                                  << "4" << QVariant(0);
    QTest::newRow("boolean word") << "UseProxy"
                                  << "maybe" << QVariant(false);
    QTest::newRow("empty boolean") << "AsyncMode"
                                   << "" << QVariant(true);
}

void tst_RavelPersistence::unusableValuesTakeDefaults()
{
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(QVariant, expected);
    CRavelCtrl ctrl;
    RavelPropertyBag bag = changedBag();
    bag.write(key, stored);
    const RavelPersistence::LoadResult result = RavelPersistence::load(ctrl, bag);
    QVERIFY(result.loaded);
    QCOMPARE(result.defaulted, QStringList{key});
    QCOMPARE(valueOf(ctrl, key.toLatin1().constData()), expected);
}

void tst_RavelPersistence::otherVersionChangesNothing()
{
    CRavelCtrl ctrl;
    RavelPropertyBag bag = changedBag();
    bag.write(QStringLiteral("_Version"), QStringLiteral("2.0"));
    const RavelPersistence::LoadResult result = RavelPersistence::load(ctrl, bag);
    QVERIFY(!result.loaded);
    QVERIFY(result.error.contains(QLatin1String("2.0")));
    QCOMPARE(ctrl.Port(), 21);
}

void tst_RavelPersistence::textSurvivesFile()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("form.rvl"));
    const QString odd = QStringLiteral("a=b\\n\r\nc \u00e9\\");
    RavelPropertyBag bag = changedBag();
    bag.write(QStringLiteral("PassWord"), odd);
    QString error;
    QVERIFY2(bag.saveFile(file, &error), qPrintable(error));
    const auto reread = RavelPropertyBag::loadFile(file, &error);
    QVERIFY2(reread, qPrintable(error));
    QCOMPARE(*reread, bag);
    CRavelCtrl ctrl;
    QVERIFY(RavelPersistence::load(ctrl, *reread).loaded);
    QCOMPARE(valueOf(ctrl, "PassWord"), QVariant(odd));
}

void tst_RavelPersistence::brokenFileIsRefused_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("no equals sign") << "UserName\r\n";
    QTest::newRow("no key") << "=x\r\n";
    QTest::newRow("unknown escape") << "UserName=a\\qb\r\n";
    QTest::newRow("escape at end") << "UserName=a\\\r\n";
}

void tst_RavelPersistence::brokenFileIsRefused()
{
    QFETCH(QString, text);
    QString error;
    QVERIFY(!RavelPropertyBag::fromText(text, &error));
    QVERIFY(error.contains(QLatin1String("line 1")));
}

void tst_RavelPersistence::resetAppliesDefaults()
{
    CRavelCtrl ctrl;
    QVERIFY(RavelPersistence::load(ctrl, changedBag()).loaded);
    RavelPersistence::resetToDefaults(ctrl);
    QCOMPARE(RavelPersistence::save(ctrl), RavelPersistence::defaults());
}

void tst_RavelPersistence::valueLists_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("proxy 0") << "ProxyType" << 0 << "0 - SITE HostName";
    QTest::newRow("proxy 3") << "ProxyType" << 3 << "3 - USER Without Logon";
    QTest::newRow("proxy 4") << "ProxyType" << 4 << QString();
    QTest::newRow("ascii") << "FileType" << 0 << "0 - ASCII File";
    QTest::newRow("binary") << "FileType" << 1 << "1 - Binary File";
    QTest::newRow("file -1") << "FileType" << -1 << QString();
    QTest::newRow("no list") << "Port" << 21 << QString();
}

void tst_RavelPersistence::valueLists()
{
    QFETCH(QString, property);
    QFETCH(int, value);
    QFETCH(QString, text);
    const std::optional<QString> shown = RavelValueList::displayText(property, value);
    QCOMPARE(shown.value_or(QString()), text);
    QCOMPARE(shown.has_value(), !text.isEmpty());
}

QTEST_GUILESS_MAIN(tst_RavelPersistence)
#include "tst_RavelPersistence.moc"
