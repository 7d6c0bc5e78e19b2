#include "core/PathNames.h"
#include "generator/AlbumGenerator.h"
#include "generator/FontMarkup.h"

#include <QTest>

// Pure rules: font markup, colour text, path functions, web-safe names, backgrounds.
class tst_GenerationRules : public QObject
{
    Q_OBJECT
private slots:
    void fontMarkup_data();
    void fontMarkup();
    void colorToText_data();
    void colorToText();
    void swatchColor_data();
    void swatchColor();
    void pathFunctions_data();
    void pathFunctions();
    void webSafeName_data();
    void webSafeName();
    void resolveBackgrounds_data();
    void resolveBackgrounds();
};

void tst_GenerationRules::fontMarkup_data()
{
    QTest::addColumn<PageStyleSettings>("settings");
    QTest::addColumn<QStringList>("expected"); // the eight strings in order

    const PageStyleSettings fresh = PageStyleSettings::afterNew();
    QTest::newRow("after New") << fresh
                               << QStringList{"<FONT=Arial>  <FONT SIZE=6>  <FONT COLOR=0> ",
                                              "</FONT>",
                                              "<B><I>",
                                              "</B></I>",
                                              "<FONT=Arial>  <FONT SIZE=3> ",
                                              "</FONT>",
                                              "",
                                              ""};
    PageStyleSettings empty = fresh;
    empty.backFontName.clear();
    empty.backFontSize.clear();
    empty.backFontColor.clear();
    empty.backFontBold = 0;
    empty.backFontItalic = 0;
    QTest::newRow("page fields empty")
        << empty << QStringList{"", "", "", "", "<FONT=Arial>  <FONT SIZE=3> ", "</FONT>", "", ""};
    PageStyleSettings sizeOnly = empty;
    sizeOnly.backFontSize = "4";
    sizeOnly.backFontUnderline = 1;
    sizeOnly.backFontBold = 1;
    sizeOnly.backFontItalic = 1;
    // A size without a face opens with a blank and is never closed; styles close in order.
    QTest::newRow("size without name, all styles")
        << sizeOnly
        << QStringList{
               " <FONT SIZE=4> ", "", "<U><B><I>", "</U></B></I>", "<FONT=Arial>  <FONT SIZE=3> ",
               "</FONT>",         "", ""};
    PageStyleSettings links = fresh;
    links.linkFontName = "  ";
    links.linkFontColor = "FF0000";
    links.linkFontBold = 2; // only 1 counts as on
    links.linkFontUnderline = 1;
    QTest::newRow("blank name counts, link colour never in markup")
        << links
        << QStringList{"<FONT=Arial>  <FONT SIZE=6>  <FONT COLOR=0> ",
                       "</FONT>",
                       "<B><I>",
                       "</B></I>",
                       "<FONT=  >  <FONT SIZE=3> ",
                       "</FONT>",
                       "<U>",
                       "</U>"};
}

void tst_GenerationRules::fontMarkup()
{
    QFETCH(PageStyleSettings, settings);
    QFETCH(QStringList, expected);
    const FontMarkup m = MakeFontMarkup(settings);
    const QStringList actual = {m.pageFontOpen, m.pageFontClose, m.pageStyleOpen, m.pageStyleClose,
                                m.linkFontOpen, m.linkFontClose, m.linkStyleOpen, m.linkStyleClose};
    QCOMPARE(actual, expected);
}

void tst_GenerationRules::colorToText_data()
{
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QString>("text");
    QTest::newRow("0080FF") << QColor(0, 128, 255) << "0080FF";
    QTest::newRow("FF8000") << QColor(255, 128, 0) << "FF8000";
    QTest::newRow("leading zero") << QColor(5, 0, 0) << "050000";
    QTest::newRow("black") << QColor(0, 0, 0) << "000000";
    QTest::newRow("green") << QColor(0, 255, 0) << "00FF00";
}

void tst_GenerationRules::colorToText()
{
    QFETCH(QColor, color);
    QFETCH(QString, text);
    QCOMPARE(ColorToText(color), text);
}

void tst_GenerationRules::swatchColor_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("swatch");
    QTest::newRow("blue") << "0000FF" << QColor(0, 0, 255);
    QTest::newRow("single digit") << "0" << QColor(0, 0, 0);
    QTest::newRow("0080FF") << "0080FF" << QColor(0, 0x80, 0xFF);
    QTest::newRow("not hexadecimal") << "navy" << QColor(0, 0, 0);
}

void tst_GenerationRules::swatchColor()
{
    QFETCH(QString, text);
    QFETCH(QColor, swatch);
    QCOMPARE(SwatchColorOf(text), swatch);
}

void tst_GenerationRules::pathFunctions_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("base");
    QTest::newRow("plain") << "/web/album.html"
                           << "/web/"
                           << "album.html"
                           << "album";
    QTest::newRow("two dots") << "/web/My.Album.HTM"
                              << "/web/"
                              << "My.Album.HTM"
                              << "My.Album";
    QTest::newRow("no separator") << "album.html"
                                  << ""
                                  << ""
                                  << "";
    QTest::newRow("root") << "/a.jpg"
                          << "/"
                          << "a.jpg"
                          << "a";
    QTest::newRow("no dot") << "/p/readme"
                            << "/p/"
                            << "readme"
                            << "readme";
    QTest::newRow("trailing separator") << "/p/"
                                        << "/p/"
                                        << ""
                                        << "";
}

void tst_GenerationRules::pathFunctions()
{
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QFETCH(QString, file);
    QFETCH(QString, base);
    QCOMPARE(FolderOf(path), folder);
    QCOMPARE(FileNameOf(path), file);
    QCOMPARE(BaseNameOf(path), base);
    QCOMPARE(JoinFolderAndFile("/", "a.jpg"), QString("/a.jpg"));
    QCOMPARE(JoinFolderAndFile("/A", "a.jpg"), QString("/A/a.jpg"));
}

void tst_GenerationRules::webSafeName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("autoSpace");
    QTest::addColumn<QString>("expected");
    QTest::newRow("on") << "Beach Day's \"x\".jpg" << true << "Beach_Days_x.jpg";
    QTest::newRow("off") << "Beach Day's.jpg" << false << "Beach Day's.jpg";
    QTest::newRow("other characters stay") << "Ä-ö_~.jpg" << true << "Ä-ö_~.jpg";
}

void tst_GenerationRules::webSafeName()
{
    QFETCH(QString, name);
    QFETCH(bool, autoSpace);
    QFETCH(QString, expected);
    QCOMPARE(WebSafeName(name, autoSpace), expected);
}

void tst_GenerationRules::resolveBackgrounds_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::newRow("colour") << "0080FF"
                            << "0080FF";
    QTest::newRow("colour with blanks") << "  0080FF "
                                        << "0080FF";
    QTest::newRow("picture") << "/pics/my bg.gif"
                             << "my_bg.gif";
    QTest::newRow("empty") << ""
                           << "";
}

void tst_GenerationRules::resolveBackgrounds()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    PageStyleSettings s = PageStyleSettings::afterNew();
    s.mainBackground = field;
    s.linkBackground = field;
    const BackgroundValues v = AlbumGenerator::ResolveBackgrounds(s, true);
    QCOMPARE(v.main, value);
    QCOMPARE(v.link, value);
}

QTEST_GUILESS_MAIN(tst_GenerationRules)
#include "tst_GenerationRules.moc"
