#include "preview/PreviewSources.h"

#include <QTest>

// Which local file the preview fetches for a name the pages use.
class tst_PreviewSources : public QObject
{
    Q_OBJECT
private slots:
    void nameToFile_data();
    void nameToFile();
};

void tst_PreviewSources::nameToFile_data()
{
    QTest::addColumn<bool>("autoSpace");
    QTest::addColumn<QString>("webName");
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("problem");
    QTest::newRow("picture, web-safe") << true << "Beach_Days.jpg"
                                       << "/pics/Beach Day's.jpg" << false;
    QTest::newRow("picture, plain name") << false << "harbour.jpg"
                                         << "/pics/harbour.jpg" << false;
    QTest::newRow("picture with a blank, as it stands") << false << "Beach Day's.jpg"
                                                        << "" << true;
    // An attribute without quotes ends at the blank: the browser asks for "Beach".
    QTest::newRow("picture with a blank, cut at it") << false << "Beach"
                                                     << "" << true;
    QTest::newRow("picture with a blank, cut at the quote") << false << "Beach Day"
                                                            << "" << true;
    QTest::newRow("a name that only starts alike") << false << "Bea"
                                                   << "" << false;
    QTest::newRow("background picture") << true << "old_paper.gif"
                                        << "/bg/old paper.gif" << false;
    QTest::newRow("background colour names no file") << true << "0080FF"
                                                     << "" << false;
    QTest::newRow("sound") << true << "the_waltz.mid"
                           << "/music/the waltz.mid" << false;
    QTest::newRow("sound with a blank, as it stands") << false << "the waltz.mid"
                                                      << "" << true;
    QTest::newRow("a name of no album file") << true << "other.jpg"
                                             << "" << false;
}

void tst_PreviewSources::nameToFile()
{
    QFETCH(bool, autoSpace);
    PageStyleSettings style = PageStyleSettings::afterNew();
    style.mainBackground = "/bg/old paper.gif";
    style.mainBackgroundIsColor = false;
    style.linkBackground = "0080FF";
    style.linkBackgroundIsColor = true;
    style.backgroundSound = "/music/the waltz.mid";
    const ImageEntries images{{"/pics/Beach Day's.jpg", "Beach Day's"},
                              {"/pics/harbour.jpg", "harbour"}};
    const PreviewSources sources({style, images, autoSpace});
    QFETCH(QString, webName);
    QFETCH(QString, source);
    QCOMPARE(sources.sourceFor(webName), source);
    QFETCH(bool, problem);
    QCOMPARE(!sources.problemWith(webName).isEmpty(), problem);
}

QTEST_GUILESS_MAIN(tst_PreviewSources)
#include "tst_PreviewSources.moc"
