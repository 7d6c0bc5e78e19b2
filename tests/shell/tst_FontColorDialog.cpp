#include "dialogs/gui/FontColorDialog.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLabel>
#include <QTest>

// The font choosers' dialog opens on the panel's font, so OK without a change changes nothing.
class tst_FontColorDialog : public QObject
{
    Q_OBJECT
private slots:
    void okWithoutChangeKeepsThePanelFont_data();
    void okWithoutChangeKeepsThePanelFont();
    void changedStyleKeepsTheRest();
};

Q_DECLARE_METATYPE(Dialogs::FontChoice)

void tst_FontColorDialog::okWithoutChangeKeepsThePanelFont_data()
{
    QTest::addColumn<Dialogs::FontChoice>("panel");
    QTest::addColumn<bool>("noted"); // a family not installed here is said so
    QTest::newRow("installed, every style")
        << Dialogs::FontChoice{"DejaVu Serif", 14, true, true, true, QColor(0, 128, 0)} << false;
    QTest::newRow("installed, bold")
        << Dialogs::FontChoice{"DejaVu Sans", 6, false, true, false, QColor(Qt::black)} << false;
    // Its plain face is called "Book", not "Normal".
    QTest::newRow("installed, plain")
        << Dialogs::FontChoice{"DejaVu Serif", 12, false, false, false, QColor(Qt::black)} << false;
    QTest::newRow("not installed, bold italic")
        << Dialogs::FontChoice{"Arial", 6, false, true, true, QColor(255, 0, 0)} << true;
    QTest::newRow("not installed, underlined, tiny")
        << Dialogs::FontChoice{"Times New Roman", 3, true, false, false, QColor(Qt::white)} << true;
}

void tst_FontColorDialog::okWithoutChangeKeepsThePanelFont()
{
    QFETCH(Dialogs::FontChoice, panel);
    FontColorDialog dialog(panel);
    dialog.show();
    const Dialogs::FontChoice out = dialog.choice();
    QCOMPARE(out.name, panel.name);
    QCOMPARE(out.size, panel.size);
    QCOMPARE(out.underline, panel.underline);
    QCOMPARE(out.bold, panel.bold);
    QCOMPARE(out.italic, panel.italic);
    QCOMPARE(out.color, panel.color);
    // What the dialog shows is the panel's font where this machine has it.
    const QFont shown = dialog.findChild<QFontDialog *>()->currentFont();
    QCOMPARE(shown.bold(), panel.bold);
    QCOMPARE(shown.italic(), panel.italic);
    QCOMPARE(shown.underline(), panel.underline);
    QFETCH(bool, noted);
    if (!noted)
        QCOMPARE(shown.family(), panel.name);
    // A family not installed here is named in a note; an installed one needs none.
    auto *note = dialog.findChild<QLabel *>("lblFontNote");
    if (noted)
        QVERIFY(note && note->isVisible() && note->text().contains(panel.name));
    else
        QVERIFY(!note || !note->isVisible());
}

void tst_FontColorDialog::changedStyleKeepsTheRest()
{
    const Dialogs::FontChoice panel{"Arial", 6, false, false, false, QColor(Qt::blue)};
    FontColorDialog dialog(panel);
    auto *fonts = dialog.findChild<QFontDialog *>();
    const QFont shown = fonts->currentFont();
    QStringList styles = QFontDatabase::styles(shown.family());
    styles.removeIf([&](const QString &s) {
        const QFont face = QFontDatabase::font(shown.family(), s, 6);
        return !face.bold() || face.italic();
    });
    QVERIFY(!styles.isEmpty());
    fonts->setCurrentFont(QFontDatabase::font(shown.family(), styles.first(), 6));
    const Dialogs::FontChoice out = dialog.choice();
    QVERIFY(out.bold);
    QCOMPARE(out.name, QString("Arial"));
    QCOMPARE(out.size, 6.0);
    QVERIFY(!out.italic);
}

QTEST_MAIN(tst_FontColorDialog)
#include "tst_FontColorDialog.moc"
