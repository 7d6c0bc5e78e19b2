#include "core/AppText.h"
#include "images/gui/PicturePreview.h"
#include "images/gui/ScannerCommands.h"
#include "images/gui/ScannerSourceDialog.h"
#include "project/SettingsStore.h"
#include "tests/images/SaneTestBackend.h"
#include "tests/support/ScriptedDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

// The two menu commands on SANE's virtual scanner, with a real preview label.
class tst_ScannerCommands : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void acquirePutsThePictureOnClipboardAndPreview();
    void noDeviceShowsTheErrorAndKeepsThePreview();
    void selectSourceRemembersTheChoice();

private:
    SaneTestBackend m_sane;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<QLabel> ImagePreview;
    QImage m_before;
};

void tst_ScannerCommands::init()
{
    m_dialogs = ScriptedDialogs();
    ImagePreview = std::make_unique<QLabel>();
    ImagePreview->resize(120, 90);
    m_before = QImage(40, 30, QImage::Format_RGB32);
    m_before.fill(Qt::green);
    PicturePreview::showImage(ImagePreview.get(), m_before);
}

void tst_ScannerCommands::acquirePutsThePictureOnClipboardAndPreview()
{
    QVERIFY(m_sane.configure("test"));
    ScannerCommands commands(m_dialogs, nullptr);
    connect(
        &commands, &ScannerCommands::pictureAcquired, ImagePreview.get(),
        [this](const QImage &picture) { PicturePreview::showImage(ImagePreview.get(), picture); });
    QSignalSpy acquired(&commands, &ScannerCommands::pictureAcquired);
    commands.Acquire();
    QVERIFY(QApplication::overrideCursor());
    QVERIFY(acquired.wait(20000));
    QVERIFY(!QApplication::overrideCursor());

    const QImage scanned = acquired.first().first().value<QImage>();
    QCOMPARE(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), scanned);
    // 157 x 196 fitted into 120 x 90.
    const QImage shown = ImagePreview->pixmap().toImage();
    QCOMPARE(shown.size(), QSize(72, 90));
    QVERIFY(shown.pixel(36, 45) != qRgb(0, 255, 0));
    QVERIFY(m_dialogs.messages.isEmpty());
}

void tst_ScannerCommands::noDeviceShowsTheErrorAndKeepsThePreview()
{
    QVERIFY(m_sane.configure(""));
    ScannerCommands commands(m_dialogs, nullptr);
    QSignalSpy failed(&commands.scanner(), &ScannerImport::failed);
    commands.Acquire();
    QVERIFY(failed.wait(20000));
    QCOMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(m_dialogs.lastText(),
             QString("68 : Device unavailable: no scanner or camera was found"));
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::None);
    QCOMPARE(m_dialogs.messages[0].buttons, Dialogs::Buttons::Ok);
    QCOMPARE(m_dialogs.messages[0].title, AppText::AppTitle);
    QCOMPARE(ImagePreview->pixmap().toImage().convertToFormat(QImage::Format_RGB32), m_before);
    QVERIFY(!QApplication::overrideCursor());
}

void tst_ScannerCommands::selectSourceRemembersTheChoice()
{
    QVERIFY(m_sane.configure("test"));
    ScannerCommands commands(m_dialogs, nullptr);
    QSignalSpy listed(&commands.scanner(), &ScannerImport::sourcesListed);
    QStringList offered;
    // Answers the chooser once it is open: the second device.
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        auto *dialog = qobject_cast<ScannerSourceDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto *list = dialog->findChild<QListWidget *>("lstSources");
        for (int i = 0; i < list->count(); ++i)
            offered << list->item(i)->data(Qt::UserRole).toString();
        list->setCurrentRow(1);
        dialog->accept();
        answer.stop();
    });
    answer.start(10);
    commands.SelectSource();
    QVERIFY(listed.wait(20000));
    QCOMPARE(offered, QStringList({"test:0", "test:1"}));
    QCOMPARE(commands.source(), QString("test:1"));
    QCOMPARE(SettingsStore().Read("Scanner", "Source", ""), QString("test:1"));
    QVERIFY(m_dialogs.messages.isEmpty());
}

QTEST_MAIN(tst_ScannerCommands)
#include "tst_ScannerCommands.moc"
