#include "images/gui/FileBrowserPanel.h"
#include "project/SettingsStore.h"
#include "shell/LumoraWebPageGen.h"
#include "shell/ToolTips.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/RecordingOutput.h"
#include "tests/support/ScriptedDialogs.h"

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// What the main window adds to its steps: sounds and prompts, tooltips, the tip of the
// day, the about box, help, the file browser and the preview window.
class tst_ShellCommands : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { quietAnimations(); }
    void init();
    void cleanup() { m_window.reset(); }

    void stepSounds_data();
    void stepSounds();
    void toolTipsOffAndOn();
    void tipWindowAtFirstActivation_data();
    void tipWindowAtFirstActivation();
    void activationResetsTheTipCheckMark();
    void aboutBox();
    void advancedFtpSettingsEditTheWindowsComponent();
    void fileBrowserPreviewsAndAdds();
    void previewOpensTheBrowserWindow();
    void helpOpensTheShippedPage();

private:
    LumoraWebPageGen &start();
    void store(const char *key, const QString &value)
    {
        SettingsStore().Write("Options", key, value);
    }
    void activate(QWidget &w)
    {
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }

    ScriptedDialogs m_dialogs;
    QStringList m_sounds;
    std::unique_ptr<LumoraWebPageGen> m_window;
};

namespace {
// Closes the next modal dialog after handing it to the check.
void closeNextModal(std::function<void(QDialog *)> check)
{
    onNextModal([check](QDialog *d) {
        check(d);
        d->reject();
    });
}
} // namespace

void tst_ShellCommands::init()
{
    QFile::remove(SettingsStore().fileName());
    m_dialogs = ScriptedDialogs();
    m_sounds.clear();
}

LumoraWebPageGen &tst_ShellCommands::start()
{
    m_window =
        std::make_unique<LumoraWebPageGen>(m_dialogs, std::make_unique<RecordingOutput>(m_sounds));
    m_window->show();
    return *m_window;
}

void tst_ShellCommands::stepSounds_data()
{
    QTest::addColumn<bool>("sounds");
    QTest::addColumn<bool>("voice");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("both off") << false << false << "cmdColors" << QStringList();
    QTest::newRow("click only") << true << false << "cmdSelectImages"
                                << QStringList{"stop", "play PICTURE"};
    QTest::newRow("voice only") << false << true << "cmdFtpUpload"
                                << QStringList{"stop", "play WELCOME", "stop", "play STEP5"};
    QTest::newRow("both: the prompt stops the click")
        << true << true << "cmdColors"
        << QStringList{"stop", "play WELCOME", "stop", "play PICTURE", "stop", "play STEP1"};
    QTest::newRow("both, step 4") << true << true << "cmdPreview"
                                  << QStringList{"stop",         "play WELCOME", "stop",
                                                 "play PICTURE", "stop",         "play STEP4"};
}

void tst_ShellCommands::stepSounds()
{
    QFETCH(bool, sounds);
    QFETCH(bool, voice);
    QFETCH(QString, button);
    store("sounds", SettingsStore::BooleanText(sounds));
    store("voiceprompt", SettingsStore::BooleanText(voice));
    LumoraWebPageGen &w = start();
    m_dialogs.cancelFile(); // step 4 asks for a page
    QTest::mouseClick(child<QPushButton>(&w, button.toLatin1()), Qt::LeftButton);
    QTEST(m_sounds, "expected");
}

void tst_ShellCommands::toolTipsOffAndOn()
{
    LumoraWebPageGen &w = start();
    const QString keeperTip = QStringLiteral("Launch you Favorite FTP Client Application.");
    auto *keeper = child<QPushButton>(&w, "cmdManageWebsite");

    // Each row's control, found as SetToolTips finds it.
    const auto controls = [&w](const ToolTips::Row &row) {
        QList<QWidget *> found;
        for (QWidget *c : w.findChildren<QWidget *>(row.objectName)) {
            if (row.index < 0 || c->property("index").toInt() == row.index)
                found << c;
        }
        return found;
    };
    const QList<ToolTips::Row> &table = ToolTips::table();
    QCOMPARE(table.size(), 52);
    for (const ToolTips::Row &row : table)
        QVERIFY2(controls(row).size() == 1, row.objectName);
    QList<QWidget *> colours;
    for (const char *name : ToolTips::emptiedWhenOff())
        colours << child<QWidget>(&w, name);

    QAction *option = child<QAction>(&w, "mnuOptionToolTips");
    QVERIFY(option->isChecked());
    for (const ToolTips::Row &row : table)
        for (QWidget *c : controls(row))
            QCOMPARE(c->toolTip(), row.text);

    option->trigger();
    QVERIFY(!option->isChecked());
    for (const ToolTips::Row &row : table)
        for (QWidget *c : controls(row))
            QVERIFY2(c->toolTip().isEmpty(), row.objectName);
    for (QWidget *c : colours)
        QVERIFY2(c->toolTip().isEmpty(), qPrintable(c->objectName()));
    QCOMPARE(keeper->toolTip(), keeperTip);

    option->trigger();
    for (const ToolTips::Row &row : table)
        for (QWidget *c : controls(row))
            QCOMPARE(c->toolTip(), row.text);
    for (QWidget *c : colours)
        QVERIFY(c->toolTip().isEmpty());
    QCOMPARE(keeper->toolTip(), keeperTip);
}

void tst_ShellCommands::tipWindowAtFirstActivation_data()
{
    QTest::addColumn<QString>("stored"); // empty: nothing stored
    QTest::addColumn<bool>("shown");
    QTest::newRow("True") << "True" << true;
    QTest::newRow("False") << "False" << false;
    QTest::newRow("fresh user") << "" << false;
    QTest::newRow("1 is not True") << "1" << false;
}

void tst_ShellCommands::tipWindowAtFirstActivation()
{
    QFETCH(QString, stored);
    QFETCH(bool, shown);
    if (!stored.isEmpty())
        store("Show Tips at Startup", stored);
    int tips = 0;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&tips] {
        if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            tips += d->objectName() == "frmTip";
            d->reject();
        }
    });
    watch.start(5);
    LumoraWebPageGen &w = start();
    activate(w);
    if (shown)
        QTRY_COMPARE(tips, 1);
    // Later activations never bring it back.
    QWidget other;
    other.show();
    activate(other);
    activate(w);
    QCoreApplication::processEvents();
    QCOMPARE(tips, shown ? 1 : 0);
}

void tst_ShellCommands::activationResetsTheTipCheckMark()
{
    store("Show Tips at Startup", "False");
    LumoraWebPageGen &w = start();
    activate(w);
    QAction *option = child<QAction>(&w, "mnuOptionTipOfDay");
    QVERIFY(!option->isChecked());
    option->trigger();
    QVERIFY(option->isChecked());
    QWidget other;
    other.show();
    activate(other);
    activate(w);
    QVERIFY(!option->isChecked());
}

void tst_ShellCommands::aboutBox()
{
    LumoraWebPageGen &w = start();
    QString version;
    closeNextModal([&version](QDialog *d) {
        QCOMPARE(d->objectName(), "frmAbout");
        version = child<QLabel>(d, "lblVersion")->text();
    });
    QAction *about = child<QAction>(&w, "mnuAbout");
    QVERIFY(about->isEnabled());
    about->trigger();
    QCOMPARE(version, "Version 3.0.0");
    QCOMPARE(w.focusWidget(), child<QWidget>(&w, "cmdDummyFocus"));
}

void tst_ShellCommands::advancedFtpSettingsEditTheWindowsComponent()
{
    LumoraWebPageGen &w = start();
    QString title;
    closeNextModal([&title](QDialog *d) {
        title = d->windowTitle();
        auto *host = d->findChild<QLineEdit *>("RemoteHost");
        QVERIFY(host);
        host->setText("ftp.lumora.test");
    });
    QAction *advanced = child<QAction>(&w, "mnuOptionAdvancedFtp");
    QVERIFY(advanced->isEnabled());
    advanced->trigger();
    QCOMPARE(title, "Ravel Control");
    QCOMPARE(w.ravel().property("RemoteHost"), QVariant("ftp.lumora.test"));
    QVERIFY(m_dialogs.messages.isEmpty());
}

void tst_ShellCommands::fileBrowserPreviewsAndAdds()
{
    QTemporaryDir dir;
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QVERIFY(picture.save(dir.filePath("b.jpg")));
    QVERIFY(picture.save(dir.filePath("a.jpg")));
    LumoraWebPageGen &w = start();
    QTest::mouseClick(child<QPushButton>(&w, "cmdSelectImages"), Qt::LeftButton);
    auto *browser = child<FileBrowserPanel>(&w, "frmDriveList");
    QVERIFY(browser->isVisible());
    QVERIFY(browser->setPath(dir.path()));
    auto *files = child<QListWidget>(browser, "File1");
    QCOMPARE(files->count(), 2);

    const auto at = [files](int row) { return files->visualItemRect(files->item(row)).center(); };
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, at(1));
    QCOMPARE(child<QLabel>(&w, "lblImage")->text(), "FileList Pre-View");
    QVERIFY(child<QLabel>(&w, "imgLogo")->isHidden());

    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, at(0));
    QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, at(0));
    files->selectAll();
    child<QAction>(browser, "mnuAdd")->trigger();
    const ImageEntries &entries = w.workingSet().images.entries();
    const QStringList names = {"a.jpg", "a.jpg", "b.jpg"};
    QCOMPARE(entries.size(), names.size());
    for (int i = 0; i < names.size(); ++i) {
        QCOMPARE(entries[i].path, dir.filePath(names[i]));
        QCOMPARE(entries[i].displayName, names[i].left(1));
    }
    for (QListWidget *list : w.findChildren<QListWidget *>("lstImageListA"))
        QCOMPARE(list->count(), 3);
    QVERIFY(child<QLabel>(&w, "lblInfoA")->text().startsWith("Image Count:3 "));
}

void tst_ShellCommands::previewOpensTheBrowserWindow()
{
    QTemporaryDir dir;
    const QString page = dir.filePath("album.html");
    QFile file(page);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<html><body>album</body></html>");
    file.close();

    LumoraWebPageGen &w = start();
    QTest::mouseClick(child<QPushButton>(&w, "cmdSelectImages"), Qt::LeftButton);
    m_dialogs.fileName(page);
    QString title, address;
    closeNextModal([&](QDialog *d) {
        QCOMPARE(d->objectName(), "frmBrowser");
        title = d->windowTitle();
        address = child<QLineEdit>(d, "txtURL")->text();
    });
    child<QAction>(&w, "mnuViewWebPage")->trigger();
    QCOMPARE(title, "Lumora Web Page Preview");
    QCOMPARE(address, page);
    QVERIFY(!w.isExpanded());
    QVERIFY(!w.fileBrowserShown());
    QCOMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(m_dialogs.messages[0].title, "Pre-View Web page");
    QCOMPARE(w.workingSet().paths.value(RememberedPaths::PrevHtml), page);
}

void tst_ShellCommands::helpOpensTheShippedPage()
{
    LumoraWebPageGen &w = start();
    QString title, address;
    // From the about box's "More Help": the help window opens over it.
    onNextModal([&](QDialog *about) {
        closeNextModal([&](QDialog *d) {
            title = d->windowTitle();
            address = child<QLineEdit>(d, "txtURL")->text();
            about->reject();
        });
        child<QPushButton>(about, "cmdHelp")->click();
    });
    child<QAction>(&w, "mnuAbout")->trigger();
    QCOMPARE(title, "Lumora Help File");
    QVERIFY2(address.endsWith("/share/lumora/help/index.html"), qPrintable(address));
    QVERIFY(QFile::exists(address));
    QVERIFY(m_dialogs.messages.isEmpty());
}

QTEST_MAIN(tst_ShellCommands)
#include "tst_ShellCommands.moc"
