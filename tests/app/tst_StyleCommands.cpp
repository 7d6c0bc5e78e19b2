#include "core/AppText.h"
#include "generator/StyleCommands.h"
#include "tests/support/ScriptedDialogs.h"

#include <QTest>

// The "..." commands on the style settings, answered by scripted dialogs.
class tst_StyleCommands : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void fontChosen_data();
    void fontChosen();
    void fontCancelledChangesNothing();
    void fontSizeNotANumber_data();
    void fontSizeNotANumber();
    void background_data();
    void background();
    void soundChooser();

private:
    ScriptedDialogs m_dialogs;
    PageStyleSettings m_style;
    RememberedPaths m_paths;
};

using Target = StyleCommands::Target;
Q_DECLARE_METATYPE(StyleCommands::Target)

void tst_StyleCommands::init()
{
    m_dialogs = ScriptedDialogs();
    m_style = PageStyleSettings::afterNew();
    m_paths.reset("/app/");
}

void tst_StyleCommands::fontChosen_data()
{
    QTest::addColumn<Target>("target");
    QTest::addColumn<double>("size");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QString>("sizeText");
    QTest::addColumn<QString>("colorText");
    QTest::newRow("page, green") << Target::Page << 12.0 << QColor(0, 255, 0) << "12"
                                 << "00FF00";
    QTest::newRow("link, half size, black") << Target::Link << 10.5 << QColor(0, 0, 0) << "10.5"
                                            << "000000";
}

void tst_StyleCommands::fontChosen()
{
    QFETCH(Target, target);
    QFETCH(double, size);
    QFETCH(QColor, color);
    m_dialogs.font(Dialogs::FontChoice{"DejaVu Serif", size, true, false, true, color});
    QVERIFY(StyleCommands(m_dialogs).chooseFont(m_style, target));

    PageStyleSettings expected = PageStyleSettings::afterNew();
    const bool page = target == Target::Page;
    (page ? expected.backFontName : expected.linkFontName) = "DejaVu Serif";
    QFETCH(QString, sizeText);
    (page ? expected.backFontSize : expected.linkFontSize) = sizeText;
    (page ? expected.backFontUnderline : expected.linkFontUnderline) = 1;
    (page ? expected.backFontBold : expected.linkFontBold) = 0;
    (page ? expected.backFontItalic : expected.linkFontItalic) = 1;
    QFETCH(QString, colorText);
    (page ? expected.backFontColor : expected.linkFontColor) = colorText;
    (page ? expected.backFontColorSwatch : expected.linkFontColorSwatch) = color;
    QCOMPARE(m_style, expected);
}

void tst_StyleCommands::fontCancelledChangesNothing()
{
    m_dialogs.font(std::nullopt);
    QVERIFY(!StyleCommands(m_dialogs).chooseFont(m_style, Target::Page));
    QCOMPARE(m_style, PageStyleSettings::afterNew());
    QVERIFY(m_dialogs.messages.isEmpty());
}

void tst_StyleCommands::fontSizeNotANumber_data()
{
    QTest::addColumn<QString>("size");
    QTest::newRow("word") << "big";
    QTest::newRow("empty") << "";
}

void tst_StyleCommands::fontSizeNotANumber()
{
    QFETCH(QString, size);
    m_style.backFontSize = size;
    const PageStyleSettings before = m_style;
    QVERIFY(!StyleCommands(m_dialogs).chooseFont(m_style, Target::Page));
    QCOMPARE(m_style, before);
    // The dialog never opened: nothing was taken from the script, nothing asked unexpectedly.
    QCOMPARE(m_dialogs.unexpected, 0);
    QCOMPARE(m_dialogs.messages.size(), 1);
    QVERIFY(m_dialogs.lastText().startsWith("Error Selecting Font.!\r\n13\r\n"));
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::Exclamation);
}

void tst_StyleCommands::background_data()
{
    QTest::addColumn<Target>("target");
    QTest::addColumn<QString>("word");
    // Scripted answer of the dialog the word leads to; empty: cancelled.
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("isColor");
    QTest::addColumn<QColor>("swatch");

    const QColor white(255, 255, 255);
    QTest::newRow("page image") << Target::Page << "image"
                                << "/pics/bg.gif" << true << "/pics/bg.gif" << false << white;
    QTest::newRow("link image") << Target::Link << "image"
                                << "/pics/l.jpg" << true << "/pics/l.jpg" << false << white;
    QTest::newRow("image cancelled") << Target::Page << "image"
                                     << "" << false << "0080FF" << true << QColor(0, 0x80, 0xFF);
    QTest::newRow("color") << Target::Link << "color"
                           << "#FF8000" << true << "FF8000" << true << QColor(255, 128, 0);
    QTest::newRow("color cancelled") << Target::Link << "color"
                                     << "" << false << "80FFFF" << true << QColor(0x80, 0xFF, 0xFF);
    QTest::newRow("clear") << Target::Page << "clear"
                           << "" << true << "" << false << white;
    QTest::newRow("cancel") << Target::Page << "cancel"
                            << "" << false << "0080FF" << true << QColor(0, 0x80, 0xFF);
    QTest::newRow("word left by the layout chooser")
        << Target::Page << "frame"
        << "" << false << "0080FF" << true << QColor(0, 0x80, 0xFF);
}

void tst_StyleCommands::background()
{
    QFETCH(Target, target);
    QFETCH(QString, word);
    QFETCH(QString, answer);
    if (word == "image")
        answer.isEmpty() ? m_dialogs.cancelFile() : m_dialogs.fileName(answer);
    if (word == "color")
        m_dialogs.color(answer.isEmpty() ? std::optional<QColor>() : QColor(answer));

    QFETCH(bool, changed);
    QCOMPARE(StyleCommands(m_dialogs).applyBackgroundAnswer(word, m_style, m_paths, target),
             changed);
    QVERIFY(m_dialogs.allAnswered());

    const bool page = target == Target::Page;
    QFETCH(QString, value);
    QFETCH(bool, isColor);
    QFETCH(QColor, swatch);
    QCOMPARE(page ? m_style.mainBackground : m_style.linkBackground, value);
    QCOMPARE(page ? m_style.mainBackgroundIsColor : m_style.linkBackgroundIsColor, isColor);
    QCOMPARE(page ? m_style.mainBackgroundSwatch : m_style.linkBackgroundSwatch, swatch);

    const RememberedPaths::Key key = page ? RememberedPaths::MainBack : RememberedPaths::LinkBack;
    QCOMPARE(m_paths.value(key), word == "image" && changed ? value : QString("/app/*.jpg"));
    if (word == "image") {
        const Dialogs::FileRequest &r = m_dialogs.fileRequests.constFirst();
        QCOMPARE(r.filter, "JPG (*.jpg)|*.jpg|GIF (*.gif)|*.gif|All (*.*)|*.*");
        QCOMPARE(r.fileName, "/app/*.jpg");
        QCOMPARE(r.title, AppText::AppTitle);
    }
}

void tst_StyleCommands::soundChooser()
{
    m_dialogs.cancelFile();
    QVERIFY(!StyleCommands(m_dialogs).chooseBackgroundSound(m_style, m_paths));
    QCOMPARE(m_style.backgroundSound, QString());
    QCOMPARE(m_paths.value(RememberedPaths::Midi), "/app/*.mid");

    m_dialogs.fileName("/music/tune.mid");
    QVERIFY(StyleCommands(m_dialogs).chooseBackgroundSound(m_style, m_paths));
    QCOMPARE(m_style.backgroundSound, "/music/tune.mid");
    QCOMPARE(m_paths.value(RememberedPaths::Midi), "/music/tune.mid");
    const Dialogs::FileRequest &r = m_dialogs.fileRequests.last();
    QCOMPARE(r.filter, "Midi (*.mid)|*.mid|All (*.*)|*.*");
    QCOMPARE(r.defaultExtension, "mid");
}

QTEST_GUILESS_MAIN(tst_StyleCommands)
#include "tst_StyleCommands.moc"
