#include "generator/RememberedPaths.h"
#include "project/SettingsStore.h"
#include "tests/support/ScriptedDialogs.h"
#include "upload/FtpClientLauncher.h"
#include "upload/gui/FtpUploadPanel.h"
#include "upload/gui/frmFtpSession.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

class tst_UploadPanel : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void firstRunAndGeneratedPage();
    void pickingARemeberedSite();
    void keyFilters_data();
    void keyFilters();
    void sessionLogCaption();
    void manageWebsite_data();
    void manageWebsite();
};

void tst_UploadPanel::init()
{
    QFile::remove(SettingsStore().fileName());
}

void tst_UploadPanel::firstRunAndGeneratedPage()
{
    SettingsStore store;
    FtpUploadPanel panel(store);
    RememberedPaths paths("/app/");
    panel.prepare(paths);
    auto *url = panel.findChild<QComboBox *>("txtSiteUrl");
    QCOMPARE(url->count(), 5);
    for (int i = 0; i < 5; ++i)
        QVERIFY(url->itemText(i).isEmpty());
    QCOMPARE(panel.site(), FtpSite());

    FtpSiteMemory(store).SaveFtpSite(1, {"ftp.a", "u", "p", "/x/", "/old/page.html"});
    paths.replace(RememberedPaths::GenHtml, "/album/trip.html");
    panel.prepare(paths);
    QCOMPARE(panel.site(), (FtpSite{"ftp.a", "u", "p", "/x/", "/album/trip.html"}));
}

void tst_UploadPanel::pickingARemeberedSite()
{
    SettingsStore store;
    FtpSiteMemory memory(store);
    memory.SaveFtpSite(1, {"ftp.a", "ua", "pa", "/a/", "/a.html"});
    memory.SaveFtpSite(2, {"ftp.b", "ub", "pb", "/b/", "/b.html", {true, true}, TlsMode::Auto, 4});
    FtpUploadPanel panel(store);
    panel.prepare(RememberedPaths("/app/"));
    panel.findChild<QLineEdit *>("txtFilePath")->setText("/mine.html");
    auto *url = panel.findChild<QComboBox *>("txtSiteUrl");
    url->setCurrentIndex(1);
    emit url->activated(1);
    // The publishing options come with the site they were remembered with.
    QCOMPARE(panel.site(),
             (FtpSite{"ftp.b", "ub", "pb", "/b/", "/mine.html", {true, true}, TlsMode::Auto, 4}));
    QCOMPARE(panel.findChild<QSpinBox *>("spnConnections")->value(), 4);
    QVERIFY(panel.findChild<QCheckBox *>("chkDeleteRemoved")->isEnabled());
    panel.findChild<QCheckBox *>("chkChangedOnly")->setChecked(false);
    QCOMPARE(panel.site().options, PublishOptions());
    emit url->activated(3); // an empty row changes nothing
    QCOMPARE(panel.site().url, QString("ftp.b"));
}

void tst_UploadPanel::keyFilters_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("path refuses backslash and quotes") << "txtSiteUrlPath"
                                                       << "a\\b/c'd\"e"
                                                       << "ab/cde";
    QTest::newRow("user refuses quotes") << "txtSiteUserName"
                                         << "jo'e\"\\"
                                         << "joe\\";
    QTest::newRow("password refuses quotes") << "txtSitePassword"
                                             << "p'w\""
                                             << "pw";
}

void tst_UploadPanel::keyFilters()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    SettingsStore store;
    FtpUploadPanel panel(store);
    auto *edit = panel.findChild<QLineEdit *>(field);
    edit->clear();
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), kept);
}

void tst_UploadPanel::sessionLogCaption()
{
    SettingsStore store;
    FtpUploadPanel panel(store);
    panel.setSite({"ftp.example.org", "", "", "", ""});
    for (int round = 0; round < 2; ++round) {
        QString caption, text;
        QTimer::singleShot(0, &panel, [&] {
            auto *log = qobject_cast<frmFtpSession *>(QApplication::activeModalWidget());
            QVERIFY(log);
            caption = log->windowTitle();
            text = log->findChild<QPlainTextEdit *>("txtSessionLog")->toPlainText();
            log->accept();
        });
        if (round == 0)
            panel.findChild<QPushButton *>("cmdFtpSessionView")->click();
        else
            QTest::mouseDClick(panel.findChild<QPlainTextEdit *>("lblFtpStatus")->viewport(),
                               Qt::LeftButton);
        QCOMPARE(caption, QString("FTP Session Log for ftp.example.org"));
        QCOMPARE(text, QString("FTP Operation Status\n"));
    }
}

void tst_UploadPanel::manageWebsite_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("answer");     // Dialogs::Answer
    QTest::addColumn<QString>("chosen"); // empty: cancel the file dialog
    QTest::addColumn<bool>("started");
    QTest::addColumn<QString>("storedAfter");
    QTest::addColumn<QString>("message"); // start of the failure message, or empty
    QTest::newRow("cancel") << "" << int(Dialogs::Answer::Cancel) << "" << false << ""
                            << "";
    QTest::newRow("no, then cancel the dialog")
        << "/bin/true" << int(Dialogs::Answer::No) << "" << false << "/bin/true"
        << "";
    QTest::newRow("yes with nothing chosen") << "" << int(Dialogs::Answer::Yes) << "" << false << ""
                                             << "53 : ";
    QTest::newRow("no, then a program")
        << "" << int(Dialogs::Answer::No) << "/bin/true" << true << "/bin/true"
        << "";
    QTest::newRow("yes with a stored program")
        << "/bin/true" << int(Dialogs::Answer::Yes) << "" << true << "/bin/true"
        << "";
}

void tst_UploadPanel::manageWebsite()
{
    QFETCH(QString, stored);
    QFETCH(int, answer);
    QFETCH(QString, chosen);
    QFETCH(bool, started);
    QFETCH(QString, storedAfter);
    QFETCH(QString, message);
    SettingsStore store;
    if (!stored.isEmpty())
        store.Write("Options", "FtpClientPath", stored);
    ScriptedDialogs dialogs;
    dialogs.answer(Dialogs::Answer(answer));
    if (answer == int(Dialogs::Answer::No)) {
        if (chosen.isEmpty())
            dialogs.cancelFile();
        else
            dialogs.fileName(chosen);
    }
    QCOMPARE(FtpClientLauncher(dialogs, store).run(), started);
    QCOMPARE(store.Read("Options", "FtpClientPath", ""), storedAfter);
    QCOMPARE(dialogs.messages[0].title, QString("Launch FTP Client"));
    QCOMPARE(dialogs.messages[0].buttons, Dialogs::Buttons::YesNoCancel);
    QCOMPARE(dialogs.messages[0].text, "Launch Ftp Client:\r\n" +
                                           (stored.isEmpty() ? "(None Selected!)" : stored) +
                                           "?\r\n(Choose No to Select a New Ftp Client Path.)");
    if (message.isEmpty())
        QCOMPARE(dialogs.messages.size(), 1);
    else
        QVERIFY(dialogs.lastText().startsWith(message));
}

QTEST_MAIN(tst_UploadPanel)
#include "tst_UploadPanel.moc"
