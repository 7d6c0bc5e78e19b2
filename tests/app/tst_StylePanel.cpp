#include "shell/ColorSwatch.h"
#include "shell/LayoutChooserDialog.h"
#include "shell/LumoraWebPageGen.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/ScriptedDialogs.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The "Title, Fonts and Backgrounds" panel and the two choice dialogs, driven as a
// user would, with scripted font, colour and file dialogs.
class tst_StylePanel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { quietAnimations(); }
    void init();
    void cleanup() { m_window.reset(); }

    void entryRule_data();
    void entryRule();
    void pastedQuotesStay();
    void fontCommandShowsChoice();
    void backgroundChooser_data();
    void backgroundChooser();
    void soundCommand();
    void layoutChooserClick_data();
    void layoutChooserClick();
    void layoutPicturePressEffect();
    void layoutChooserLeftIsACancel_data();
    void layoutChooserLeftIsACancel();

private:
    QLineEdit *field(const char *name) { return child<QLineEdit>(&*m_window, name); }

    ScriptedDialogs m_dialogs;
    std::unique_ptr<LumoraWebPageGen> m_window;
};

void tst_StylePanel::init()
{
    m_dialogs = ScriptedDialogs();
    m_window = std::make_unique<LumoraWebPageGen>(m_dialogs);
    m_window->show();
    QTest::mouseClick(child<QPushButton>(&*m_window, "cmdColors"), Qt::LeftButton);
}

void tst_StylePanel::entryRule_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kept");
    for (const char *name : {"txtTitle", "txtBackFontName", "txtLinkFontName", "txtMainBackground",
                             "txtLinkBackground"})
        QTest::newRow(name) << name << "Bobs big day";
    // Other fields take every character.
    QTest::newRow("txtBackFontColor") << "txtBackFontColor"
                                      << "Bob's \"big\" day";
    QTest::newRow("txtBackgroundSound") << "txtBackgroundSound"
                                        << "Bob's \"big\" day";
}

void tst_StylePanel::entryRule()
{
    QFETCH(QString, name);
    QFETCH(QString, kept);
    QLineEdit *edit = field(name.toLatin1());
    edit->clear();
    edit->setFocus();
    QTest::keyClicks(edit, "Bob's \"big\" day");
    QCOMPARE(edit->text(), kept);
    const PageStyleSettings &s = m_window->workingSet().style;
    const QMap<QString, QString> model = {{"txtTitle", s.title},
                                          {"txtBackFontName", s.backFontName},
                                          {"txtLinkFontName", s.linkFontName},
                                          {"txtMainBackground", s.mainBackground},
                                          {"txtLinkBackground", s.linkBackground},
                                          {"txtBackFontColor", s.backFontColor},
                                          {"txtBackgroundSound", s.backgroundSound}};
    QCOMPARE(model.value(name), kept);
}

void tst_StylePanel::pastedQuotesStay()
{
    QLineEdit *title = field("txtTitle");
    title->clear();
    QApplication::clipboard()->setText("Ann's");
    title->paste();
    QCOMPARE(title->text(), "Ann's");
    QCOMPARE(m_window->workingSet().style.title, "Ann's");
}

void tst_StylePanel::fontCommandShowsChoice()
{
    m_dialogs.font(
        Dialogs::FontChoice{"DejaVu Serif", 10.5, true, false, false, QColor(0, 255, 0)});
    QTest::mouseClick(child<QPushButton>(&*m_window, "cmdFontLink"), Qt::LeftButton);
    QCOMPARE(field("txtLinkFontName")->text(), "DejaVu Serif");
    QCOMPARE(field("txtLinkFontSize")->text(), "10.5");
    QCOMPARE(field("txtLinkFontColor")->text(), "00FF00");
    QVERIFY(child<QCheckBox>(&*m_window, "txtLinkFontUnderline")->isChecked());
    QVERIFY(!child<QCheckBox>(&*m_window, "txtLinkFontBold")->isChecked());
    QCOMPARE(child<ColorSwatch>(&*m_window, "txtLinkFontColorDisplay")->color(), QColor(0, 255, 0));
    // The page side is untouched.
    QCOMPARE(field("txtBackFontName")->text(), "Arial");

    // Cancel changes nothing.
    m_dialogs.font(std::nullopt);
    QTest::mouseClick(child<QPushButton>(&*m_window, "cmdFontLink"), Qt::LeftButton);
    QCOMPARE(field("txtLinkFontName")->text(), "DejaVu Serif");
    QVERIFY(m_dialogs.allAnswered());
}

void tst_StylePanel::backgroundChooser_data()
{
    QTest::addColumn<QString>("button"); // or how the dialog is left without one
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("swatch");
    QTest::newRow("colour") << "cmdColor"
                            << "color"
                            << "FF8000" << QColor(255, 128, 0);
    QTest::newRow("image") << "cmdImage"
                           << "image"
                           << "/pics/sea.jpg" << QColor(Qt::white);
    QTest::newRow("clear") << "cmdClear"
                           << "clear"
                           << "" << QColor(Qt::white);
    QTest::newRow("cancel") << "cmdCancel"
                            << "cancel"
                            << "0080FF" << QColor(0, 0x80, 0xFF);
    // Leaving without a choice is a cancel too, never the word of an earlier dialog.
    QTest::newRow("escape") << "escape"
                            << "cancel"
                            << "0080FF" << QColor(0, 0x80, 0xFF);
    QTest::newRow("closed") << "close"
                            << "cancel"
                            << "0080FF" << QColor(0, 0x80, 0xFF);
}

namespace {
// Leaves a dialog as a user can: a button by name, the Escape key, or the window's close.
void leave(QDialog *dialog, const QString &how)
{
    if (how == "escape")
        QTest::keyClick(dialog, Qt::Key_Escape);
    else if (how == "close")
        dialog->close();
    else
        child<QPushButton>(dialog, how.toLatin1())->click();
}
} // namespace

void tst_StylePanel::backgroundChooser()
{
    QFETCH(QString, button);
    QFETCH(QString, word);
    field("txtFormReturnCodes")->setText("udscroll");
    m_dialogs.color(QColor(255, 128, 0));
    m_dialogs.fileName("/pics/sea.jpg");
    QString caption;
    onNextModal([&](QDialog *d) {
        caption = d->windowTitle();
        leave(d, button);
    });
    QTest::mouseClick(child<QPushButton>(&*m_window, "cmdPageBackground"), Qt::LeftButton);
    QCOMPARE(caption, "Select Web Page Background");
    QCOMPARE(field("txtFormReturnCodes")->text(), word);
    QFETCH(QString, text);
    QCOMPARE(field("txtMainBackground")->text(), text);
    QFETCH(QColor, swatch);
    QCOMPARE(child<ColorSwatch>(&*m_window, "txtBackColor")->color(), swatch);
    QCOMPARE(field("txtLinkBackground")->text(), "80FFFF");
}

void tst_StylePanel::soundCommand()
{
    field("txtTitle")->setFocus();
    m_dialogs.fileName("/music/waltz.mid");
    QTest::mouseClick(child<QPushButton>(&*m_window, "cmdBackgroundSound"), Qt::LeftButton);
    QCOMPARE(field("txtBackgroundSound")->text(), "/music/waltz.mid");
    QCOMPARE(m_window->focusWidget(), child<QWidget>(&*m_window, "cmdDummyFocus"));
    QCOMPARE(m_window->workingSet().paths.value(RememberedPaths::Midi), "/music/waltz.mid");
}

void tst_StylePanel::layoutChooserClick_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("tip");
    QTest::newRow("frame") << "ImageFrames"
                           << "frame"
                           << "Left Side Picture Index Frame Only";
    QTest::newRow("framethumb") << "ImageFrameThumb"
                                << "framethumb"
                                << "Thumbnails and Left Side Picture Index Frame Only";
    QTest::newRow("thumb") << "ImageThumb"
                           << "thumb"
                           << "Clickable Thumbnails Only";
    QTest::newRow("lrscroll") << "ImageLRScroll"
                              << "lrscroll"
                              << "Right/Left Scrolling using Full Size Images";
    QTest::newRow("udscroll") << "ImageUDScroll"
                              << "udscroll"
                              << "Up/Down Scrolling using Full Size Images";
    QTest::newRow("gallery") << "ImageGallery"
                             << "gallery"
                             << "Gallery: thumbnails and web-size pictures for phones and large "
                                "screens";
}

void tst_StylePanel::layoutChooserClick()
{
    QFETCH(QString, picture);
    QLineEdit answer("image");
    LayoutChooserDialog chooser(answer, nullptr);
    QCOMPARE(chooser.windowTitle(), "Select Web Page Style");
    chooser.show();
    auto *label = child<QLabel>(&chooser, picture.toLatin1());
    QFETCH(QString, tip);
    QCOMPARE(label->toolTip(), tip);
    QVERIFY(!label->pixmap().isNull());
    QTest::mouseClick(label, Qt::LeftButton);
    QFETCH(QString, word);
    QCOMPARE(answer.text(), word);
    QCOMPARE(chooser.result(), int(QDialog::Accepted));
}

void tst_StylePanel::layoutPicturePressEffect()
{
    QLineEdit answer("clear");
    LayoutChooserDialog chooser(answer, nullptr);
    chooser.show();
    auto *label = child<QLabel>(&chooser, "ImageThumb");
    QTest::mousePress(label, Qt::RightButton);
    QCOMPARE(label->frameShape(), QFrame::NoFrame);
    QTest::mouseRelease(label, Qt::RightButton);
    QCOMPARE(answer.text(), "clear");

    QTest::mousePress(label, Qt::LeftButton);
    QCOMPARE(label->frameShape(), QFrame::Panel);
    QCOMPARE(label->frameShadow(), QFrame::Raised);
    // Released away from the picture: flat again, and no choice.
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(-5, -5));
    QCOMPARE(label->frameShape(), QFrame::NoFrame);
    QCOMPARE(answer.text(), "clear");
    QVERIFY(chooser.isVisible());
}

void tst_StylePanel::layoutChooserLeftIsACancel_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("escape") << "escape";
    QTest::newRow("close") << "close";
}

// Generation stops at once: no save dialog, no message, whatever word an earlier dialog left.
void tst_StylePanel::layoutChooserLeftIsACancel()
{
    QFETCH(QString, how);
    for (const QString earlier : {"frame", "cancel"}) {
        field("txtFormReturnCodes")->setText(earlier);
        onNextModal([&](QDialog *d) { leave(d, how); });
        QTest::mouseClick(child<QPushButton>(&*m_window, "cmdGenerateHtml"), Qt::LeftButton);
        QCOMPARE(m_dialogs.messages.size(), 0);
        QCOMPARE(m_dialogs.fileRequests.size(), 0);
        QCOMPARE(field("txtFormReturnCodes")->text(), earlier);
    }
}

QTEST_MAIN(tst_StylePanel)
#include "tst_StylePanel.moc"
