#include "app/StartupDialogs.h"
#include "project/ProjectFile.h"
#include "shell/LumoraWebPageGen.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/ScriptedDialogs.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

// `LumoraPage FILE.lwp`: the project named at start loads as File > Load loads it, without
// its file dialog; the dialog comes back for every later Load.
class tst_StartupDialogs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { quietAnimations(); }
    void loadsNamedProject_data();
    void loadsNamedProject();
};

void tst_StartupDialogs::loadsNamedProject_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("absolute") << "ABS/trip.lwp"
                              << "Summer" << QStringList();
    // A file manager passes absolute names; a shell may pass one relative to its folder.
    QTest::newRow("relative") << "trip.lwp"
                              << "Summer" << QStringList();
    QTest::newRow("missing") << "ABS/none.lwp" << QString()
                             << QStringList{"Error Loading Lumora File!"};
}

void tst_StartupDialogs::loadsNamedProject()
{
    QFETCH(QString, name);
    QFETCH(QString, title);
    QFETCH(QStringList, messages);
    QTemporaryDir dir;
    WorkingSet saved;
    saved.style.title = QStringLiteral("Summer");
    // A project without pictures loads, but as "Invalid or Empty".
    QVERIFY(saved.images.append({dir.filePath("beach.jpg"), QStringLiteral("Beach")}));
    QVERIFY(!ProjectFile::writeFile(dir.filePath("trip.lwp"), saved));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    name.replace("ABS", dir.path());

    StartupDialogs<ScriptedDialogs> scripted;
    LumoraWebPageGen window(scripted);
    window.show();
    scripted.loadProject(window, name);
    QDir::setCurrent(previous);

    // A load that fails keeps the title the window started with.
    QCOMPARE(child<QLineEdit>(&window, "txtTitle")->text(),
             title.isNull() ? PageStyleSettings::atStartup().title : title);
    QVERIFY(scripted.fileRequests.isEmpty());
    QCOMPARE(scripted.messages.size(), messages.size());
    for (int i = 0; i < messages.size(); ++i)
        QVERIFY2(scripted.messages.at(i).text.startsWith(messages.at(i)),
                 qPrintable(scripted.messages.at(i).text));

    scripted.cancelFile();
    child<QAction>(&window, "mnuLoad")->trigger();
    QCOMPARE(scripted.fileRequests.size(), 1);
    QVERIFY(scripted.allAnswered());
}

QTEST_MAIN(tst_StartupDialogs)
#include "tst_StartupDialogs.moc"
