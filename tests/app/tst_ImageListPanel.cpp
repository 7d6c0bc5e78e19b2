#include "shell/LumoraWebPageGen.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/ScriptedDialogs.h"

#include <QAction>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUrl>

// The "Selected Image List" panel: two lists in step, drops, the Delete key, moving,
// renaming at the row, and the popup.
class tst_ImageListPanel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { quietAnimations(); }
    void init();
    void cleanup() { m_window.reset(); }

    void dropFilesFillsBothLists();
    void dropWithoutFiles_data();
    void dropWithoutFiles();
    void clickSelectsBothAndPreviews();
    void dropRefusesLineBreaks();
    void deleteKey_data();
    void deleteKey();
    void moveKeepsSelection();
    void editDisplayName();
    void doubleClickWithoutSelectionOpensNothing();
    void clearAsksFirst();
    void listsScrollTogether();

private:
    QListWidget *list(int index) const;
    QString file(const QString &name, int bytes);
    void drop(const QStringList &paths, int listIndex = 0,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    QStringList rows(int index) const;

    QTemporaryDir m_dir;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<LumoraWebPageGen> m_window;
};

QListWidget *tst_ImageListPanel::list(int index) const
{
    for (QListWidget *l : m_window->findChildren<QListWidget *>("lstImageListA"))
        if (l->property("index").toInt() == index)
            return l;
    return nullptr;
}

QStringList tst_ImageListPanel::rows(int index) const
{
    QStringList out;
    for (int i = 0; i < list(index)->count(); ++i)
        out << list(index)->item(i)->text();
    return out;
}

QString tst_ImageListPanel::file(const QString &name, int bytes)
{
    const QString path = m_dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(QByteArray(bytes, 'x')) != bytes)
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

namespace {
// As a file manager drops: Qt delivers a drop only to the widget that took the drag in. With
// Shift held the file manager offers a move; whatever it offers, the list takes a copy.
void sendDrop(QWidget *target, const QMimeData &data,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(QPoint(5, 5), offered, &data, Qt::LeftButton, modifiers);
    if (modifiers & Qt::ShiftModifier)
        enter.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QCOMPARE(enter.dropAction(), Qt::CopyAction);
    QDropEvent drop(QPointF(5, 5), offered, &data, Qt::LeftButton, modifiers);
    if (modifiers & Qt::ShiftModifier)
        drop.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(target, &drop);
    QCOMPARE(drop.dropAction(), Qt::CopyAction);
}
} // namespace

void tst_ImageListPanel::drop(const QStringList &paths, int listIndex,
                              Qt::KeyboardModifiers modifiers)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &p : paths)
        urls << (p.contains("://") ? QUrl(p) : QUrl::fromLocalFile(p));
    data.setUrls(urls);
    sendDrop(list(listIndex)->viewport(), data, modifiers);
}

void tst_ImageListPanel::init()
{
    m_dialogs = ScriptedDialogs();
    m_window = std::make_unique<LumoraWebPageGen>(m_dialogs);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QTest::mouseClick(child<QPushButton>(&*m_window, "cmdSelectImages"), Qt::LeftButton);
    QCOMPARE(child<QLabel>(&*m_window, "lblInfoA")->text(), "Image Count:0   Total Size:0Kb");
}

void tst_ImageListPanel::dropFilesFillsBothLists()
{
    const QString a = file("a.jpg", 1000), b = file("b.jpeg", 500), c = file("c.gif", 36);
    drop({a, b}, 0);
    drop({c}, 1, Qt::ShiftModifier);
    QCOMPARE(rows(0), QStringList({a, b, c}));
    QCOMPARE(rows(1), QStringList({"a", "b.", "c"}));
    QCOMPARE(child<QLabel>(&*m_window, "lblInfoA")->text(), "Image Count:3   Total Size:2Kb");
    QVERIFY(m_dialogs.messages.isEmpty());
}

void tst_ImageListPanel::dropWithoutFiles_data()
{
    QTest::addColumn<bool>("asText");
    QTest::addColumn<QStringList>("added");
    QTest::newRow("plain text") << true << QStringList();
    QTest::newRow("a web address after a file") << false << QStringList({"a"});
}

void tst_ImageListPanel::dropWithoutFiles()
{
    QFETCH(bool, asText);
    if (asText) {
        QMimeData data;
        data.setText("hello");
        sendDrop(list(1)->viewport(), data);
    } else {
        drop({file("a.jpg", 10), "https://example.org/b.jpg", file("c.jpg", 10)});
    }
    QFETCH(QStringList, added);
    QCOMPARE(rows(1), added);
    QCOMPARE(rows(0).size(), added.size());
    QCOMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(m_dialogs.messages[0].buttons, Dialogs::Buttons::Ok);
    QVERIFY(!m_dialogs.lastText().isEmpty());
    QCOMPARE(child<QLabel>(&*m_window, "lblInfoA")->text(),
             QString("Image Count:%1   Total Size:0Kb").arg(added.size()));
}

void tst_ImageListPanel::clickSelectsBothAndPreviews()
{
    const QString picture = m_dir.filePath("red.png");
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(picture));
    drop({file("x.jpg", 3), picture});
    auto *caption = child<QLabel>(&*m_window, "lblImage");
    auto *preview = child<QLabel>(&*m_window, "ImagePreview");

    // A file that is no picture changes nothing in the preview.
    QTest::mouseClick(list(0)->viewport(), Qt::LeftButton, {},
                      list(0)->visualItemRect(list(0)->item(0)).center());
    QCOMPARE(list(1)->currentRow(), 0);
    QVERIFY(child<QLabel>(&*m_window, "imgLogo")->isVisibleTo(preview));
    QCOMPARE(caption->text(), QString());

    QTest::mouseClick(list(1)->viewport(), Qt::LeftButton, {},
                      list(1)->visualItemRect(list(1)->item(1)).center());
    QCOMPARE(list(0)->currentRow(), 1);
    QCOMPARE(m_window->workingSet().images.selected(), 1);
    QCOMPARE(caption->text(), "ImageList Pre-View");
    QVERIFY(!preview->pixmap().isNull());
    QVERIFY(!child<QLabel>(&*m_window, "imgLogo")->isVisibleTo(preview));

    // A step command puts the logo back; a click on the selected row shows its picture again.
    for (int index : {0, 1}) {
        QTest::mouseClick(child<QPushButton>(&*m_window, "cmdSelectImages"), Qt::LeftButton);
        QCOMPARE(caption->text(), QString());
        QVERIFY(child<QLabel>(&*m_window, "imgLogo")->isVisibleTo(preview));
        QTest::mouseClick(list(index)->viewport(), Qt::LeftButton, {},
                          list(index)->visualItemRect(list(index)->item(1)).center());
        QCOMPARE(caption->text(), "ImageList Pre-View");
        QVERIFY(!child<QLabel>(&*m_window, "imgLogo")->isVisibleTo(preview));
    }
}

void tst_ImageListPanel::dropRefusesLineBreaks()
{
    drop({m_dir.filePath("a.jpg"), m_dir.filePath("b\nc.jpg"), m_dir.filePath("d\r.jpg"),
          m_dir.filePath("e.jpg")});
    QCOMPARE(rows(1), QStringList({"a", "e"}));
    QCOMPARE(rows(0).size(), 2);
    QCOMPARE(m_dialogs.messages.size(), 1);
    const QString text = m_dialogs.lastText();
    QVERIFY2(text.contains("b\\nc.jpg") && text.contains("d\\r.jpg"), qPrintable(text));
    QCOMPARE(m_dialogs.messages.last().icon, Dialogs::Icon::Exclamation);
}

void tst_ImageListPanel::deleteKey_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<int>("left");
    QTest::newRow("OK removes") << 2 << int(Qt::NoModifier) << int(Dialogs::Answer::Ok) << true
                                << 1;
    QTest::newRow("Cancel keeps") << 2 << int(Qt::NoModifier) << int(Dialogs::Answer::Cancel)
                                  << true << 2;
    QTest::newRow("Ctrl does nothing") << 2 << int(Qt::ControlModifier) << 0 << false << 2;
    QTest::newRow("Shift does nothing") << 2 << int(Qt::ShiftModifier) << 0 << false << 2;
    QTest::newRow("empty list asks nothing") << 0 << int(Qt::NoModifier) << 0 << false << 0;
}

void tst_ImageListPanel::deleteKey()
{
    QFETCH(int, entries);
    QFETCH(int, modifiers);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    for (int i = 0; i < entries; ++i)
        drop({file(QString("p%1.jpg").arg(i), 10)});
    if (entries)
        list(0)->setCurrentRow(1);
    if (asked)
        m_dialogs.answer(Dialogs::Answer(answer));
    list(0)->setFocus();
    QTest::keyClick(list(0), Qt::Key_Delete, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(m_dialogs.messages.size(), asked ? 1 : 0);
    if (asked) {
        const ScriptedDialogs::Message &m = m_dialogs.messages[0];
        QCOMPARE(m.text, "Remove Selected Images from list?");
        QCOMPARE(m.title, "Lumora Web Page Generator");
        QCOMPARE(m.icon, Dialogs::Icon::None);
        QCOMPARE(m.buttons, Dialogs::Buttons::OkCancel);
    }
    QFETCH(int, left);
    QCOMPARE(rows(0).size(), left);
    QCOMPARE(rows(1).size(), left);
    if (left < entries)
        QCOMPARE(rows(1), QStringList({"p0"}));
}

void tst_ImageListPanel::moveKeepsSelection()
{
    drop({file("a.jpg", 1), file("b.jpg", 1), file("c.jpg", 1)});
    auto *up = child<QToolButton>(&*m_window, "cmdUpA");
    auto *down = child<QToolButton>(&*m_window, "cmdDownA");
    list(1)->setCurrentRow(1);
    QTest::mouseClick(up, Qt::LeftButton);
    QCOMPARE(rows(1), QStringList({"b", "a", "c"}));
    QCOMPARE(rows(0).first(), m_dir.filePath("b.jpg"));
    QCOMPARE(list(0)->currentRow(), 0);
    QCOMPARE(list(1)->currentRow(), 0);
    QTest::mouseClick(up, Qt::LeftButton);
    QCOMPARE(rows(1), QStringList({"b", "a", "c"}));
    QTest::mouseClick(down, Qt::LeftButton);
    QTest::mouseClick(down, Qt::LeftButton);
    QTest::mouseClick(down, Qt::LeftButton);
    QCOMPARE(rows(1), QStringList({"a", "c", "b"}));
    QCOMPARE(list(1)->currentRow(), 2);
    QCOMPARE(m_window->focusWidget(), child<QWidget>(&*m_window, "cmdDummyFocus"));
}

void tst_ImageListPanel::editDisplayName()
{
    drop({file("a.jpg", 1), file("b.jpg", 1)});
    QListWidget *names = list(1);
    const QPoint row1 = names->visualItemRect(names->item(1)).center();
    QTest::mouseClick(names->viewport(), Qt::LeftButton, {}, row1);
    QTest::mouseDClick(names->viewport(), Qt::LeftButton, {}, row1);
    auto *editor = child<QLineEdit>(&*m_window, "txtEditDisplayName");
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->text(), "b");
    QCOMPARE(editor->selectedText(), "b");
    QVERIFY(editor->hasFocus());

    // Blank text is refused: the editor stays open and the name is kept.
    QTest::keyClicks(editor, "   ");
    QTest::keyClick(editor, Qt::Key_Return);
    QVERIFY(editor->isVisible());
    QCOMPARE(rows(1), QStringList({"a", "b"}));

    editor->selectAll();
    QTest::keyClicks(editor, "  Beach  ");
    QTest::keyClick(editor, Qt::Key_Return);
    QVERIFY(!editor->isVisible());
    QCOMPARE(rows(1), QStringList({"a", "  Beach  "}));
    QCOMPARE(m_window->workingSet().images.at(1).displayName, "  Beach  ");
    QCOMPARE(rows(0), QStringList({m_dir.filePath("a.jpg"), m_dir.filePath("b.jpg")}));

    // Leaving the field commits too.
    QTest::mouseDClick(names->viewport(), Qt::LeftButton, {}, row1);
    editor->selectAll();
    QTest::keyClicks(editor, "Dunes");
    list(0)->setFocus();
    QVERIFY(!editor->isVisible());
    QCOMPARE(rows(1).last(), "Dunes");
}

void tst_ImageListPanel::doubleClickWithoutSelectionOpensNothing()
{
    drop({file("a.jpg", 1)});
    QListWidget *names = list(1);
    QTest::mouseDClick(names->viewport(), Qt::LeftButton, {}, QPoint(5, names->height() - 10));
    QVERIFY(child<QLineEdit>(&*m_window, "txtEditDisplayName")->isHidden());
}

void tst_ImageListPanel::clearAsksFirst()
{
    drop({file("a.jpg", 2048)});
    auto *clear = child<QAction>(&*m_window, "mnuImageListClear");
    m_dialogs.answer(Dialogs::Answer::No);
    clear->trigger();
    QCOMPARE(rows(0).size(), 1);
    QCOMPARE(child<QLabel>(&*m_window, "lblInfoA")->text(), "Image Count:1   Total Size:2Kb");
    QCOMPARE(m_dialogs.messages[0].text, "Clear Image List?");
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::Question);
    QCOMPARE(m_dialogs.messages[0].buttons, Dialogs::Buttons::YesNo);
    m_dialogs.answer(Dialogs::Answer::Yes);
    clear->trigger();
    QVERIFY(rows(0).isEmpty() && rows(1).isEmpty());
    QCOMPARE(child<QLabel>(&*m_window, "lblInfoA")->text(), "Image Count:0   Total Size:0Kb");
}

void tst_ImageListPanel::listsScrollTogether()
{
    QStringList many;
    for (int i = 0; i < 40; ++i)
        many << file(QString("n%1.jpg").arg(i), 1);
    drop(many);
    QScrollBar *paths = list(0)->verticalScrollBar();
    QTRY_VERIFY(paths->maximum() > 10);
    paths->setValue(10);
    QCOMPARE(list(1)->verticalScrollBar()->value(), 10);
    list(1)->verticalScrollBar()->setValue(3);
    QCOMPARE(paths->value(), 3);
}

QTEST_MAIN(tst_ImageListPanel)
#include "tst_ImageListPanel.moc"
