#include "project/ProjectFile.h"
#include "project/SettingsStore.h"
#include "ravel/RavelDispatch.h"
#include "shell/LumoraWebPageGen.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/FtpTestServer.h"
#include "tests/support/ScriptedDialogs.h"
#include "upload/UploadJob.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// The window around a running upload: closing it cancels the job first.
class tst_UploadWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { quietAnimations(); }
    void closingCancelsTheUpload();
};

void tst_UploadWindow::closingCancelsTheUpload()
{
    QFile::remove(SettingsStore().fileName());
    // The first transfer never ends by itself.
    FtpTestServer server(FtpTestServer::Kind::Fake, "fault:silent:1");
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QTemporaryDir dir;
    QFile page(dir.filePath("album.html"));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<HTML>\r\n");
    page.close();

    WorkingSet set;
    set.images.AddToImageList(page.fileName());
    set.output = {dir.path() + "/", "album"};
    const QString project = dir.filePath("p.lwp");
    ProjectFile::writeFile(project, set);

    ScriptedDialogs dialogs;
    auto *window = new LumoraWebPageGen(dialogs);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    dialogs.fileName(project);
    child<QAction>(window, "mnuLoad")->trigger();
    RavelDispatch::invoke(window->ravel(), "Port", RavelDispatch::Kind::Put, {int(server.port())});
    child<QComboBox>(window, "txtSiteUrl")->setCurrentText("127.0.0.1");
    child<QLineEdit>(window, "txtFilePath")->setText(page.fileName());
    auto *job = window->findChild<UploadJob *>();
    QVERIFY(job);
    connect(job, &UploadJob::statusLine, window, [window](const QString &line) {
        if (line == "Executing FTP Transfer of album.html")
            QTimer::singleShot(0, window, &QWidget::close);
    });
    QPointer<LumoraWebPageGen> alive(window);
    QTest::mouseClick(child<QPushButton>(window, "cmdBeginFtpUpload"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(alive.isNull(), 10000);
    QStringList shown;
    for (const auto &m : dialogs.messages)
        shown << m.text;
    QCOMPARE(shown.join("|"), QString("FTP Upload Cancelled."));
}

QTEST_MAIN(tst_UploadWindow)
#include "tst_UploadWindow.moc"
