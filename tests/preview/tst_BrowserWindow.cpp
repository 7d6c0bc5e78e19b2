#include "core/AppText.h"
#include "core/Twips.h"
#include "generator/AlbumGenerator.h"
#include "preview/PreviewFileChoice.h"
#include "preview/PreviewSources.h"
#include "preview/gui/BrowserWindow.h"
#include "preview/gui/PreviewCommand.h"
#include "tests/support/ScriptedDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>

// The browser window on a framed album generated into a temporary folder.
class tst_BrowserWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void framedAlbumShowsBothFramesWithPictures();
    void backAndForwardFollowTheHistory();
    void backOnFirstPageChangesNothing();
    void browserAreaFollowsTheWindow_data();
    void browserAreaFollowsTheWindow();
    void openAnotherFileStartsAtPreviousPreview();
    void previewCommandShowsNoteThenModalWindow();
    void cancelledPreviewShowsNothing();
    void addressFieldOpens_data();
    void addressFieldOpens();
    void albumPicturesShownFromTheirFiles_data();
    void albumPicturesShownFromTheirFiles();

private:
    bool load(BrowserWindow &window, const QString &file);
    QVariant evaluate(BrowserWindow &window, const QString &script);
    static QString shownPictures(int width);

    QTemporaryDir m_tmp;
    QString m_album;
    QString m_picture;
    ScriptedDialogs m_dialogs;
    RememberedPaths m_paths;
};

void tst_BrowserWindow::initTestCase()
{
    QVERIFY(m_tmp.isValid());
    ImageEntries images;
    for (const auto &[name, color] : {std::pair{"sunrise", Qt::red}, {"harbour", Qt::blue}}) {
        QImage picture(240, 160, QImage::Format_RGB32);
        picture.fill(color);
        const QString path = m_tmp.filePath(QString(name) + ".jpg");
        QVERIFY(picture.save(path));
        images.append({path, name});
    }
    m_picture = images.first().path;
    m_album = m_tmp.filePath("album.html");
    ScriptedDialogs dialogs;
    dialogs.fileName(m_album);
    RememberedPaths paths("/app/");
    OutputLocation output;
    const PageStyleSettings style = PageStyleSettings::afterNew();
    QCOMPARE(
        AlbumGenerator(dialogs).GenerateWebPage("framethumb", {style, images, true}, paths, output),
        AlbumGenerator::Outcome::Completed);
}

void tst_BrowserWindow::init()
{
    m_dialogs = ScriptedDialogs();
    m_paths.reset("/app/");
}

bool tst_BrowserWindow::load(BrowserWindow &window, const QString &file)
{
    QSignalSpy finished(window.view(), &QWebEngineView::loadFinished);
    window.navigateTo(file);
    return finished.wait(30000) && finished.first().first().toBool();
}

QVariant tst_BrowserWindow::evaluate(BrowserWindow &window, const QString &script)
{
    std::optional<QVariant> result;
    window.view()->page()->runJavaScript(script, [&result](const QVariant &v) { result = v; });
    if (!QTest::qWaitFor([&result] { return result.has_value(); }, 10000))
        return QStringLiteral("<no answer>");
    return *result;
}

void tst_BrowserWindow::framedAlbumShowsBothFramesWithPictures()
{
    BrowserWindow window(m_dialogs, m_paths);
    window.show();
    QVERIFY(load(window, m_album));
    QCOMPARE(window.address(), m_album);
    // Both frames loaded, and every picture of the display frame decoded.
    const QString script =
        QStringLiteral("(function() {"
                       "  var f = window.frames;"
                       "  if (f.length != 2) return 'frames: ' + f.length;"
                       "  var links = f[0].document.links.length;"
                       "  var imgs = f[1].document.images;"
                       "  var shown = 0;"
                       "  for (var i = 0; i < imgs.length; ++i) if (imgs[i].complete && "
                       "imgs[i].naturalWidth == 240) ++shown;"
                       "  return 'links ' + links + ', pictures ' + shown + ' of ' + imgs.length;"
                       "})()");
    QTRY_COMPARE_WITH_TIMEOUT(evaluate(window, script).toString(),
                              QString("links 4, pictures 2 of 2"), 20000);
}

void tst_BrowserWindow::backAndForwardFollowTheHistory()
{
    BrowserWindow window(m_dialogs, m_paths);
    window.show();
    QVERIFY(load(window, m_album));
    auto *txtURL = window.findChild<QLineEdit *>("txtURL");
    QSignalSpy finished(window.view(), &QWebEngineView::loadFinished);
    txtURL->setText(m_picture);
    QTest::keyClick(txtURL, Qt::Key_Return);
    QVERIFY(finished.wait(30000));
    QCOMPARE(window.view()->url(), QUrl::fromLocalFile(m_picture));

    finished.clear();
    window.findChild<QPushButton *>("cmdBack")->click();
    QCOMPARE(window.address(), m_album);
    QVERIFY(finished.wait(30000));
    QCOMPARE(window.view()->url(), QUrl::fromLocalFile(m_album));
    QCOMPARE(window.address(), m_album);

    finished.clear();
    window.findChild<QPushButton *>("cmdForward")->click();
    QVERIFY(finished.wait(30000));
    QCOMPARE(window.address(), m_picture);
    QCOMPARE(window.view()->url(), QUrl::fromLocalFile(m_picture));
}

void tst_BrowserWindow::backOnFirstPageChangesNothing()
{
    BrowserWindow window(m_dialogs, m_paths);
    window.show();
    QVERIFY(load(window, m_album));
    QSignalSpy started(window.view(), &QWebEngineView::loadStarted);
    window.findChild<QPushButton *>("cmdBack")->click();
    QCOMPARE(window.address(), m_album);
    QCOMPARE(window.view()->url(), QUrl::fromLocalFile(m_album));
    // Loads start in order: a load started by Back would come before the next one's.
    QVERIFY(load(window, m_picture));
    QCOMPARE(started.size(), 1);
    QVERIFY(window.view()->history()->canGoBack());
    QCOMPARE(window.view()->history()->backItem().url(), QUrl::fromLocalFile(m_album));
}

void tst_BrowserWindow::browserAreaFollowsTheWindow_data()
{
    QTest::addColumn<QSize>("windowSize");
    QTest::newRow("large") << QSize(900, 700);
    QTest::newRow("smaller than the margins") << QSize(10, 20);
}

void tst_BrowserWindow::browserAreaFollowsTheWindow()
{
    QFETCH(QSize, windowSize);
    BrowserWindow window(m_dialogs, m_paths);
    window.show();
    auto *toolbarButton = window.findChild<QPushButton *>("cmdBack");
    const QRect toolbarPlace = toolbarButton->geometry();
    window.resize(windowSize);
    QTRY_COMPARE(window.size(), windowSize);
    const QSize area = window.view()->size();
    QCOMPARE(area.width(), std::max(0, window.width() - Twips::toPixelsX(230)));
    QCOMPARE(area.height(), std::max(0, window.height() - Twips::toPixelsY(800)));
    QCOMPARE(toolbarButton->geometry(), toolbarPlace);
}

void tst_BrowserWindow::openAnotherFileStartsAtPreviousPreview()
{
    m_paths.replace(RememberedPaths::PrevHtml, "/before/page.html");
    BrowserWindow window(m_dialogs, m_paths);
    m_dialogs.cancelFile();
    window.findChild<QPushButton *>("cmdPreview")->click();
    QCOMPARE(m_dialogs.fileRequests.last().fileName, QString("/before/page.html"));
    QCOMPARE(m_paths.value(RememberedPaths::PrevHtml), QString("/before/page.html"));
    QCOMPARE(window.address(), QString());

    m_dialogs.fileName(m_album);
    QSignalSpy finished(window.view(), &QWebEngineView::loadFinished);
    window.findChild<QPushButton *>("cmdPreview")->click();
    QCOMPARE(m_paths.value(RememberedPaths::PrevHtml), m_album);
    QCOMPARE(window.address(), m_album);
    QVERIFY(finished.wait(30000));
    QCOMPARE(window.view()->url(), QUrl::fromLocalFile(m_album));
}

void tst_BrowserWindow::previewCommandShowsNoteThenModalWindow()
{
    m_paths.replace(RememberedPaths::GenHtml, m_album);
    m_dialogs.fileName(m_album);
    const std::unique_ptr<BrowserWindow> window = PreviewCommand::open(nullptr, m_dialogs, m_paths);
    QVERIFY(window);
    QCOMPARE(m_dialogs.fileRequests.size(), 1);
    QCOMPARE(m_dialogs.fileRequests[0].fileName, m_album);
    QCOMPARE(m_dialogs.fileRequests[0].filter, PreviewFileChoice::Filter);
    QCOMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(m_dialogs.messages[0].text, PreviewFileChoice::NoteText);
    QCOMPARE(m_dialogs.messages[0].title, QString("Pre-View Web page"));
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::Information);
    QVERIFY(window->isModal());
    QCOMPARE(window->windowTitle(), QString("Lumora Web Page Preview"));
    QCOMPARE(window->address(), m_album);
    QCOMPARE(m_paths.value(RememberedPaths::PrevHtml), m_album);
}

void tst_BrowserWindow::cancelledPreviewShowsNothing()
{
    m_dialogs.cancelFile();
    QVERIFY(!PreviewCommand::open(nullptr, m_dialogs, m_paths));
    QVERIFY(m_dialogs.messages.isEmpty());
    QCOMPARE(m_paths.value(RememberedPaths::PrevHtml), QString("/app/*.html"));
}

void tst_BrowserWindow::addressFieldOpens_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QUrl>("opened");
    QTest::newRow("host name") << "example.com" << QUrl("http://example.com");
    QTest::newRow("address with a page")
        << " www.example.org/a.html" << QUrl("http://www.example.org/a.html");
    QTest::newRow("full address") << "https://example.net/" << QUrl("https://example.net/");
    QTest::newRow("local file") << m_album << QUrl::fromLocalFile(m_album);
    QTest::newRow("missing local file")
        << "/no/such/page.html" << QUrl::fromLocalFile("/no/such/page.html");
}

void tst_BrowserWindow::addressFieldOpens()
{
    QFETCH(QString, typed);
    QFETCH(QUrl, opened);
    QCOMPARE(BrowserWindow::urlFor(typed), opened);
    // A local file relative to the current folder is still that file.
    if (typed == m_album) {
        const QString before = QDir::currentPath();
        QDir::setCurrent(m_tmp.path());
        QCOMPARE(BrowserWindow::urlFor("album.html"), opened);
        QDir::setCurrent(before);
    }
}

QString tst_BrowserWindow::shownPictures(int width)
{
    return QStringLiteral("(function() {"
                          "  var imgs = document.images; var shown = 0;"
                          "  for (var i = 0; i < imgs.length; ++i) if (imgs[i].complete && "
                          "imgs[i].naturalWidth == %1) ++shown;"
                          "  return shown + ' of ' + imgs.length;"
                          "})()")
        .arg(width);
}

void tst_BrowserWindow::albumPicturesShownFromTheirFiles_data()
{
    QTest::addColumn<bool>("autoSpace");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("status");
    QTest::newRow("web-safe names") << true << "2 of 2"
                                    << "";
    QTest::newRow("names with blanks") << false << "1 of 2"
                                       << "\"sea view.jpg\" is not shown:";
}

// Pictures named with a blank, the page generated elsewhere: the page names files that lie
// only on the server, and the preview shows what the site will.
void tst_BrowserWindow::albumPicturesShownFromTheirFiles()
{
    QFETCH(bool, autoSpace);
    QTemporaryDir pictures;
    QTemporaryDir site;
    ImageEntries images;
    for (const QString name : {"sea view", "harbour"}) {
        QImage picture(120, 90, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        const QString path = pictures.filePath(name + ".jpg");
        QVERIFY(picture.save(path));
        images.append({path, name});
    }
    const QString page = site.filePath("album.html");
    ScriptedDialogs dialogs;
    dialogs.fileName(page);
    OutputLocation output;
    const PageStyleSettings style = PageStyleSettings::afterNew();
    QCOMPARE(AlbumGenerator(dialogs).GenerateWebPage("thumb", {style, images, autoSpace}, m_paths,
                                                     output),
             AlbumGenerator::Outcome::Completed);
    QFile written(page);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();

    BrowserWindow window(m_dialogs, m_paths);
    window.setSources(PreviewSources({style, images, autoSpace}));
    window.show();
    QVERIFY(load(window, page));
    QFETCH(QString, shown);
    QTRY_COMPARE_WITH_TIMEOUT(evaluate(window, shownPictures(120)).toString(), shown, 20000);
    QFETCH(QString, status);
    if (status.isEmpty())
        QCOMPARE(window.status(), QString());
    else
        QTRY_VERIFY2(window.status().startsWith(status), qPrintable(window.status()));
    // The preview read the page as written.
    QVERIFY(written.seek(0));
    QCOMPARE(written.readAll(), bytes);
}

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    tst_BrowserWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_BrowserWindow.moc"
