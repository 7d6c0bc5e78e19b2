#include "core/AppText.h"
#include "images/FileOperations.h"
#include "images/gui/FileBrowserPanel.h"
#include "tests/support/ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The file browser panel on a temporary folder tree, driven through its widgets and popup.
class tst_FileBrowserPanel : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void listsPicturesWithoutRegardToCase();
    void foldersListTheChainAndSubfolders();
    void clickPreviewsDoubleClickAdds();
    void dragOffersSelectedFilesInListOrder();
    void popupFollowsTheFileList_data();
    void popupFollowsTheFileList();
    void copyThenPasteIntoAnotherFolder();
    void deleteFromThePopupRefreshesTheList();
    void unreadableDriveReturnsToThePreviousOne();

private:
    QListWidget *files() { return m_panel->findChild<QListWidget *>("File1"); }
    QAction *action(const char *name) { return m_panel->findChild<QAction *>(name); }
    QStringList texts(QListWidget *list);
    void select(const QStringList &names);
    void touch(const QString &path);

    std::optional<QTemporaryDir> m_tmp;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<FileBrowserPanel> m_panel;
    QString m_a;
    QString m_b;
};

void tst_FileBrowserPanel::touch(const QString &path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x");
}

void tst_FileBrowserPanel::init()
{
    m_tmp.emplace();
    m_dialogs = ScriptedDialogs();
    m_a = m_tmp->filePath("album");
    m_b = m_tmp->filePath("other");
    QDir().mkpath(m_a + "/Zebra");
    QDir().mkpath(m_a + "/apple");
    QDir().mkpath(m_b);
    for (const char *name : {"b.gif", "A.JPG", "c.jpg", "notes.txt", "d.jpeg", "e.png", "F.Gif"})
        touch(m_a + "/" + name);
    m_panel = std::make_unique<FileBrowserPanel>(m_dialogs);
    QVERIFY(m_panel->setPath(m_a));
}

QStringList tst_FileBrowserPanel::texts(QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text().trimmed();
    return out;
}

void tst_FileBrowserPanel::select(const QStringList &names)
{
    files()->clearSelection();
    for (int i = 0; i < files()->count(); ++i) {
        if (names.contains(files()->item(i)->text())) {
            files()->item(i)->setSelected(true);
            files()->setCurrentItem(files()->item(i), QItemSelectionModel::Select);
        }
    }
}

void tst_FileBrowserPanel::listsPicturesWithoutRegardToCase()
{
    QCOMPARE(texts(files()), QStringList({"A.JPG", "b.gif", "c.jpg", "F.Gif"}));
    QCOMPARE(files()->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(files()->toolTip(), QString("Right Click for File Options."));
    QCOMPARE(m_panel->objectName(), QString("frmDriveList"));
}

void tst_FileBrowserPanel::foldersListTheChainAndSubfolders()
{
    auto *Dir1 = m_panel->findChild<QListWidget *>("Dir1");
    const QStringList shown = texts(Dir1);
    QCOMPARE(shown.first(), QString("/"));
    QCOMPARE(shown.mid(shown.size() - 3), QStringList({"album", "apple", "Zebra"}));
    QCOMPARE(Dir1->currentItem()->text().trimmed(), QString("album"));

    // Opening a subfolder moves the file list there; opening the parent comes back.
    QVERIFY(m_panel->setPath(m_a + "/apple"));
    touch(m_a + "/apple/inner.jpg");
    m_panel->refresh();
    QCOMPARE(texts(files()), QStringList({"inner.jpg"}));
    emit Dir1->itemActivated(Dir1->item(Dir1->count() - 2));
    QCOMPARE(m_panel->path(), m_a);
}

void tst_FileBrowserPanel::clickPreviewsDoubleClickAdds()
{
    QSignalSpy preview(m_panel.get(), &FileBrowserPanel::previewRequested);
    QSignalSpy add(m_panel.get(), &FileBrowserPanel::addToImageList);
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
    const QRect c = files()->visualItemRect(files()->item(2));
    QTest::mouseClick(files()->viewport(), Qt::LeftButton, {}, c.center());
    QCOMPARE(preview.count(), 1);
    QCOMPARE(preview.first().first().toString(), m_a + "/c.jpg");

    const QRect a = files()->visualItemRect(files()->item(0));
    QTest::mouseClick(files()->viewport(), Qt::LeftButton, Qt::ControlModifier, a.center());
    QCOMPARE(m_panel->selectedFiles(), QStringList({"A.JPG", "c.jpg"}));
    emit files()->itemDoubleClicked(files()->item(0));
    QCOMPARE(add.count(), 1);
    QCOMPARE(add.first()[0].toString(), m_a);
    QCOMPARE(add.first()[1].toStringList(), QStringList({"A.JPG", "c.jpg"}));

    action("mnuAdd")->trigger();
    QCOMPARE(add.count(), 2);
    QCOMPARE(add.last()[1].toStringList(), QStringList({"A.JPG", "c.jpg"}));
}

void tst_FileBrowserPanel::dragOffersSelectedFilesInListOrder()
{
    auto *list = files();
    const std::unique_ptr<QMimeData> data(
        list->model()->mimeData({list->model()->index(3, 0), list->model()->index(1, 0)}));
    QVERIFY(data);
    QCOMPARE(data->urls(), QList<QUrl>({QUrl::fromLocalFile(m_a + "/b.gif"),
                                        QUrl::fromLocalFile(m_a + "/F.Gif")}));
    QVERIFY(list->dragEnabled());
    QCOMPARE(list->model()->supportedDragActions(), Qt::CopyAction);
}

void tst_FileBrowserPanel::popupFollowsTheFileList_data()
{
    QTest::addColumn<bool>("emptyFolder");
    QTest::addColumn<bool>("pastePending");
    QTest::newRow("files") << false << false;
    QTest::newRow("empty folder") << true << false;
    QTest::newRow("empty folder, paste pending") << true << true;
}

void tst_FileBrowserPanel::popupFollowsTheFileList()
{
    QFETCH(bool, emptyFolder);
    QFETCH(bool, pastePending);
    QVERIFY(!action("mnuPasteFile")->isEnabled());
    QVERIFY(!action("mnuDelete")->isEnabled());
    if (pastePending) {
        select({"c.jpg"});
        action("mnuCopyFile")->trigger();
    }
    QVERIFY(m_panel->setPath(emptyFolder ? m_b : m_a));
    if (!emptyFolder)
        select({"c.jpg"});
    m_panel->preparePopup();
    for (const char *name : {"mnuAdd", "mnuCopyFile", "mnuRenameFile", "mnuDelete"})
        QCOMPARE(action(name)->isEnabled(), !emptyFolder);
    QCOMPARE(action("mnuPasteFile")->isEnabled(), pastePending);
    QVERIFY(action("mnuRefresh")->isEnabled());
    QVERIFY(m_panel->findChild<QMenu *>("mnuFileUtil")->menuAction()->isEnabled());
}

void tst_FileBrowserPanel::copyThenPasteIntoAnotherFolder()
{
    select({"A.JPG", "b.gif", "c.jpg"});
    action("mnuCopyFile")->trigger();
    QVERIFY(action("mnuPasteFile")->isEnabled());
    QVERIFY(m_panel->setPath(m_b));
    QSignalSpy finished(&m_panel->fileOperations(), &FileOperations::pasteFinished);
    action("mnuPasteFile")->trigger();
    QVERIFY(!action("mnuPasteFile")->isEnabled());
    QVERIFY(finished.wait(10000));
    QCOMPARE(texts(files()), QStringList({"A.JPG", "b.gif", "c.jpg"}));
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(m_dialogs.messages.isEmpty());
}

void tst_FileBrowserPanel::deleteFromThePopupRefreshesTheList()
{
    select({"b.gif", "c.jpg"});
    m_dialogs.answer(Dialogs::Answer::No);
    m_dialogs.answer(Dialogs::Answer::Yes);
    m_panel->preparePopup();
    action("mnuDelete")->trigger();
    QCOMPARE(texts(files()), QStringList({"A.JPG", "b.gif", "F.Gif"}));
}

void tst_FileBrowserPanel::unreadableDriveReturnsToThePreviousOne()
{
    auto *Drive1 = m_panel->findChild<QComboBox *>("Drive1");
    const int before = Drive1->currentIndex();
    QVERIFY(before >= 0);
    Drive1->addItem("/lumora-no-medium", "/lumora-no-medium");
    Drive1->setCurrentIndex(Drive1->count() - 1);
    emit Drive1->activated(Drive1->count() - 1);
    QCOMPARE(m_dialogs.messages.size(), 1);
    QVERIFY2(m_dialogs.lastText().startsWith("Error: /lumora-no-medium"),
             qPrintable(m_dialogs.lastText()));
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::Exclamation);
    QCOMPARE(m_dialogs.messages[0].title, AppText::AppTitle);
    QCOMPARE(Drive1->currentIndex(), before);
    QCOMPARE(m_panel->path(), m_a);
}

QTEST_MAIN(tst_FileBrowserPanel)
#include "tst_FileBrowserPanel.moc"
