#include "shell/LumoraWebPageGen.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/ScriptedDialogs.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// The File menu and generation from the window: what the commands do to the window's
// fields, and that the window writes the same album as the command-line companion.
class tst_ProjectCommands : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { quietAnimations(); }
    void init();
    void cleanup() { m_window.reset(); }

    void newClearsTheWindow();
    void saveThenLoadRestores();
    void generateMatchesCommandLine();
    void uploadPathIsLineTwelve();
    void pastedLineBreaksDropped_data();
    void pastedLineBreaksDropped();
    void galleryTakesTheChoosersTicks();

private:
    QLineEdit *field(const char *name) { return child<QLineEdit>(&*m_window, name); }
    void trigger(const char *action) { child<QAction>(&*m_window, action)->trigger(); }
    void addPictures(int count);
    int rows() const;

    QTemporaryDir m_dir;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<LumoraWebPageGen> m_window;
};

void tst_ProjectCommands::init()
{
    m_dialogs = ScriptedDialogs();
    m_window = std::make_unique<LumoraWebPageGen>(m_dialogs);
    m_window->show();
}

int tst_ProjectCommands::rows() const
{
    int n = -1;
    for (QListWidget *l : m_window->findChildren<QListWidget *>("lstImageListA")) {
        if (n >= 0 && l->count() != n)
            return -1;
        n = l->count();
    }
    return n;
}

void tst_ProjectCommands::addPictures(int count)
{
    // Through a project file, as a user would bring pictures in without the file browser.
    QStringList lines = {
        "My Trip", "",    "0080FF", " 16744448 ", "True",       "Arial", "6",     " 0 ", " 1 ",
        " 1 ",     "0",   "",       "80FFFF",     " 16777088 ", "True",  "Arial", "3",   " 0 ",
        " 0 ",     " 0 ", "0000FF", "Lumora.jpg", "",           "",      "label"};
    for (int i = 0; i < 6; ++i)
        lines << "*.x";
    lines << "ImageListStart";
    for (int i = 0; i < count; ++i) {
        const QString path = m_dir.filePath(QString("Beach Day %1.jpg").arg(i));
        QImage image(16, 12, QImage::Format_RGB32);
        image.fill(QColor(i * 40, 100, 200));
        QVERIFY(image.save(path));
        lines << path << QString("Beach %1").arg(i);
    }
    lines << "ImageListEnd"
          << "";
    QFile file(m_dir.filePath("in.lwp"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(lines.join("\r\n").toUtf8());
    file.close();
    m_dialogs.fileName(file.fileName());
    trigger("mnuLoad");
    QCOMPARE(rows(), count);
}

void tst_ProjectCommands::newClearsTheWindow()
{
    addPictures(2);
    QCOMPARE(field("txtTitle")->text(), "My Trip");
    QCOMPARE(child<QLabel>(&*m_window, "lblInfoA")->text(), "label");
    field("txtBackFontName")->setText("Courier");
    trigger("mnuNew");
    QCOMPARE(field("txtTitle")->text(), QString());
    QCOMPARE(field("txtBackFontName")->text(), "Arial");
    QCOMPARE(field("txtMainBackground")->text(), "0080FF");
    QCOMPARE(rows(), 0);
    QCOMPARE(child<QLabel>(&*m_window, "lblInfoA")->text(), QString());
    QVERIFY(m_window->workingSet().paths.value(RememberedPaths::Lwp).endsWith("/*.lwp"));
    QVERIFY(m_dialogs.messages.isEmpty());
}

void tst_ProjectCommands::saveThenLoadRestores()
{
    addPictures(3);
    field("txtTitle")->clear();
    field("txtTitle")->setFocus();
    QTest::keyClicks(field("txtTitle"), "Summer");
    const QString saved = m_dir.filePath("saved");
    m_dialogs.fileName(saved);
    trigger("mnuSave");
    QCOMPARE(m_dialogs.lastText(), "Save Lumora File Completed!");
    QVERIFY(QFile::exists(saved + ".lwp"));

    trigger("mnuNew");
    m_dialogs.fileName(saved + ".lwp");
    trigger("mnuLoad");
    QCOMPARE(field("txtTitle")->text(), "Summer");
    QCOMPARE(rows(), 3);
    QCOMPARE(m_window->workingSet().images.at(2).displayName, "Beach 2");
    QCOMPARE(m_dialogs.fileRequests.last().filter, "Lumora File (*.lwp)|*.lwp|All (*.*)|*.*");

    // Cancelling the open dialog changes nothing.
    m_dialogs.cancelFile();
    trigger("mnuLoad");
    QCOMPARE(rows(), 3);
    QVERIFY(m_dialogs.allAnswered());
}

void tst_ProjectCommands::generateMatchesCommandLine()
{
    addPictures(3);
    const QString project = m_dir.filePath("album.lwp");
    m_dialogs.fileName(project);
    trigger("mnuSave");

    QVERIFY(QDir(m_dir.path()).mkdir("window") && QDir(m_dir.path()).mkdir("cli"));
    m_dialogs.fileName(m_dir.filePath("window/album"));
    onNextModal([](QDialog *d) {
        QTest::mouseClick(child<QWidget>(d, "ImageFrameThumb"), Qt::LeftButton);
    });
    QTest::mouseClick(child<QPushButton>(&*m_window, "cmdGenerateHtml"), Qt::LeftButton);
    QCOMPARE(m_dialogs.lastText(), "Creation of Lumora Web Page Completed!");
    QCOMPARE(field("txtFormReturnCodes")->text(), "framethumb");

    QProcess cli;
    cli.start(qEnvironmentVariable("LUMORA_CLI"),
              {"generate", "--project", project, "--layout", "framethumb", "--output",
               m_dir.filePath("cli/album.html"), "--autospace", "on"});
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitCode(), 0);

    const QStringList pages = QDir(m_dir.filePath("window")).entryList(QDir::Files);
    QCOMPARE(pages, QStringList({"album.html", "albumLink.html", "albumMain.html"}));
    for (const QString &page : pages) {
        QFile a(m_dir.filePath("window/" + page)), b(m_dir.filePath("cli/" + page));
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(a.readAll(), b.readAll());
    }
}

void tst_ProjectCommands::uploadPathIsLineTwelve()
{
    addPictures(1);
    field("txtFilePath")->setText("/web/trip.html");
    const QString saved = m_dir.filePath("upload.lwp");
    m_dialogs.fileName(saved);
    trigger("mnuSave");
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().split('\n').at(11), QByteArray("/web/trip.html\r"));

    field("txtFilePath")->setText("/elsewhere.html");
    m_dialogs.fileName(saved);
    trigger("mnuLoad");
    QCOMPARE(field("txtFilePath")->text(), "/web/trip.html");
}

void tst_ProjectCommands::pastedLineBreaksDropped_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"txtTitle", "txtBackgroundSound", "txtFilePath", "txtEditDisplayName"})
        QTest::newRow(name) << name;
}

void tst_ProjectCommands::pastedLineBreaksDropped()
{
    QFETCH(QString, name);
    QLineEdit *edit = field(name.toLatin1().constData());
    edit->setText("ab");
    edit->setCursorPosition(1);
    QGuiApplication::clipboard()->setText("My\r\nTrip\n");
    edit->paste();
    QCOMPARE(edit->text(), "aMyTripb");
    QCOMPARE(edit->cursorPosition(), 7);
}

void tst_ProjectCommands::galleryTakesTheChoosersTicks()
{
    qputenv("XDG_CACHE_HOME", m_dir.filePath("cache").toUtf8());
    addPictures(2);
    m_dialogs.fileName(m_dir.filePath("album"));
    onNextModal([](QDialog *d) {
        auto *large = child<QWidget>(d, "chkLargeScreens");
        QTest::mouseClick(large, Qt::LeftButton, {}, QPoint(8, large->height() / 2));
        QTest::mouseClick(child<QWidget>(d, "ImageGallery"), Qt::LeftButton);
    });
    QTest::mouseClick(child<QPushButton>(&*m_window, "cmdGenerateHtml"), Qt::LeftButton);
    QCOMPARE(m_dialogs.lastText(), "Creation of Lumora Web Page Completed!");
    QVERIFY(QFile::exists(m_dir.filePath("album-Beach_Day_1.html")));
    QVERIFY(QFile::exists(m_dir.filePath("album_img/Beach_Day_1-2560.jpg")));
    QVERIFY(!QFile::exists(m_dir.filePath("album_img/Beach_Day_1-original.jpg")));
}

QTEST_MAIN(tst_ProjectCommands)
#include "tst_ProjectCommands.moc"
