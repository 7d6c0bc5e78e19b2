#include "app/SplashWindow.h"
#include "core/Twips.h"
#include "project/SettingsStore.h"
#include "ravel/RavelClassFactory.h"
#include "ravel/RavelRegistry.h"
#include "shell/FramePacer.h"
#include "shell/IndicatorLamp.h"
#include "shell/LampChase.h"
#include "shell/LumoraWebPageGen.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/ScriptedDialogs.h"

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

// The shell: splash, step commands with their lamps, window heights and panels, the
// lamp chase, and the options and position kept between runs.
class tst_MainWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { quietAnimations(); }
    void init();
    void cleanup() { m_window.reset(); }

    void splashClosesOnce_data();
    void splashClosesOnce();
    void stepCommand_data();
    void stepCommand();
    void stepOneTwiceExpandsOnce();
    void collapseThenExpandAgain();
    void animationsLetEventsRun();
    void stepDuringAnimationHasTheLastWord();
    void chasePattern_data();
    void chasePattern();
    void chaseWalksFromAllBlack();
    void chaseNeverResumesAfterAStep();
    void freshUser();
    void storedValues_data();
    void storedValues();
    void exitWritesWhatNextStartReads();
    void componentMadeByProgId_data();
    void componentMadeByProgId();

private:
    LumoraWebPageGen &start();
    void click(const char *button)
    {
        QTest::mouseClick(child<QPushButton>(&*m_window, button), Qt::LeftButton);
    }
    QList<bool> lamps() const;

    ScriptedDialogs m_dialogs;
    std::unique_ptr<LumoraWebPageGen> m_window;
};

namespace {
const char *const LampNames[] = {"LEDselectColor", "LEDselectImages", "LEDgenWebPage", "LEDpreView",
                                 "LEDupload"};
const char *const PanelNames[] = {"frameColorFontTitle", "frameImageList", "FrameFtpUpload"};
} // namespace

void tst_MainWindow::init()
{
    QFile::remove(SettingsStore().fileName());
    m_dialogs = ScriptedDialogs();
}

LumoraWebPageGen &tst_MainWindow::start()
{
    m_window = std::make_unique<LumoraWebPageGen>(m_dialogs);
    m_window->show();
    return *m_window;
}

QList<bool> tst_MainWindow::lamps() const
{
    QList<bool> on;
    for (const char *name : LampNames)
        on << child<IndicatorLamp>(&*m_window, name)->isOn();
    return on;
}

void tst_MainWindow::splashClosesOnce_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("key press") << true;
    QTest::newRow("click on the picture") << false;
}

void tst_MainWindow::splashClosesOnce()
{
    QFETCH(bool, byKey);
    SplashWindow splash;
    QCOMPARE(child<QLabel>(&splash, "lblVersion")->text(), "Version 3.0.0");
    auto *timer = child<QTimer>(&splash, "Timer1");
    QCOMPARE(timer->interval(), 6000);
    QVERIFY(timer->isActive());
    QSignalSpy finished(&splash, &SplashWindow::finished);
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    for (int i = 0; i < 2; ++i) {
        if (byKey)
            QTest::keyClick(&splash, Qt::Key_Space);
        else
            QTest::mouseClick(child<QLabel>(&splash, "animation1"), Qt::LeftButton);
    }
    QCOMPARE(finished.count(), 1);
    QVERIFY(!splash.isVisible());
    // The timer is stopped too, so its tick cannot show a second main window.
    QVERIFY(!timer->isActive());
}

void tst_MainWindow::stepCommand_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("lamp");
    QTest::addColumn<bool>("expanded");
    QTest::addColumn<int>("panel");
    QTest::addColumn<bool>("fileBrowser");
    QTest::newRow("1 button") << "cmdColors" << 0 << true << 0 << false;
    QTest::newRow("1 menu") << "mnuColor" << 0 << true << 0 << false;
    QTest::newRow("2 button") << "cmdSelectImages" << 1 << true << 1 << true;
    QTest::newRow("2 menu") << "mnuSelectImages" << 1 << true << 1 << true;
    QTest::newRow("3 button") << "cmdGenerateHtml" << 2 << false << 0 << false;
    QTest::newRow("4 button") << "cmdPreview" << 3 << false << 0 << false;
    QTest::newRow("4 menu") << "mnuViewWebPage" << 3 << false << 0 << false;
    QTest::newRow("5 button") << "cmdFtpUpload" << 4 << true << 2 << false;
    QTest::newRow("5 menu") << "mnuFtpUpload" << 4 << true << 2 << false;
}

void tst_MainWindow::stepCommand()
{
    QFETCH(QString, command);
    QFETCH(int, lamp);
    LumoraWebPageGen &w = start();
    QCOMPARE(w.height(), Twips::toPixelsY(2400));
    QCOMPARE(w.width(), Twips::toPixelsX(6525));
    // Step 3 asks for a layout; leave it without a choice.
    onNextModal([](QDialog *d) { d->reject(); });
    if (command.startsWith("mnu"))
        child<QAction>(&w, command.toLatin1())->trigger();
    else
        click(command.toLatin1());

    QList<bool> expectedLamps(5, false);
    expectedLamps[lamp] = true;
    QCOMPARE(lamps(), expectedLamps);
    QCOMPARE(child<IndicatorLamp>(&w, LampNames[lamp])->color(), QColor(0, 255, 0));

    QFETCH(bool, expanded);
    QCOMPARE(w.isExpanded(), expanded);
    // The file browser adds 62 frames of 40 twips below the panel.
    QCOMPARE(w.height(),
             Twips::toPixelsY((expanded ? 5040 : 2400) + (w.fileBrowserShown() ? 2480 : 0)));
    QFETCH(bool, fileBrowser);
    QCOMPARE(w.fileBrowserShown(), fileBrowser);
    QCOMPARE(child<QPushButton>(&w, "cmdDriveList")->text(),
             fileBrowser ? "Hide Hard Drive List Box" : "Display Hard Drive List Box");

    QFETCH(int, panel);
    for (int p = 0; p < 3; ++p) {
        auto *frame = child<QWidget>(&w, PanelNames[p]);
        QCOMPARE(frame->isHidden(), p != panel);
        QCOMPARE(frame->x(), Twips::toPixelsX(p == panel ? 0 : 6500));
    }
    for (const char *name : {"cmdColors", "cmdSelectImages", "cmdGenerateHtml", "cmdPreview",
                             "cmdFtpUpload", "cmdDriveList"})
        QVERIFY(child<QPushButton>(&w, name)->isEnabled());
    if (lamp == 2 || lamp == 3)
        QCOMPARE(w.focusWidget(), child<QWidget>(&w, "cmdDummyFocus"));
}

void tst_MainWindow::stepOneTwiceExpandsOnce()
{
    LumoraWebPageGen &w = start();
    click("cmdColors");
    click("cmdColors");
    QCOMPARE(w.height(), Twips::toPixelsY(5040));
    QCOMPARE(lamps(), QList<bool>({true, false, false, false, false}));
    QCOMPARE(child<QWidget>(&w, "frameColorFontTitle")->x(), 0);
}

void tst_MainWindow::collapseThenExpandAgain()
{
    LumoraWebPageGen &w = start();
    click("cmdSelectImages");
    onNextModal([](QDialog *d) { d->reject(); });
    click("cmdGenerateHtml");
    QVERIFY(!w.fileBrowserShown());
    QCOMPARE(w.height(), Twips::toPixelsY(2400));
    // Leaving the layout chooser cancels generation: nothing said, nothing asked.
    QVERIFY(m_dialogs.messages.isEmpty());
    QVERIFY(m_dialogs.fileRequests.isEmpty());
    click("cmdFtpUpload");
    QCOMPARE(w.height(), Twips::toPixelsY(5040));
    QVERIFY(!child<QWidget>(&w, "FrameFtpUpload")->isHidden());
    QVERIFY(child<QWidget>(&w, "frameImageList")->isHidden());
    QCOMPARE(child<QGroupBox>(&w, "FrameFtpUpload")->title(), "FTP Upload to Web Site");
}

namespace {
// Real frame waits for one test.
struct RealTime
{
    RealTime() { FramePacer::setInstant(false); }
    ~RealTime() { FramePacer::setInstant(true); }
};
} // namespace

void tst_MainWindow::animationsLetEventsRun()
{
    LumoraWebPageGen &w = start();
    RealTime realTime;
    const int collapsed = w.height();
    // A zero timer fires whenever the event loop runs: the heights it sees are the frames
    // the window repainted between, which only a wait that runs the loop can show.
    QSet<int> between;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&] {
        if (w.height() > collapsed &&
            w.height() < Twips::toPixelsY(LumoraWebPageGen::ExpandedHeight))
            between.insert(w.height());
    });
    ticker.start(0);
    click("cmdSelectImages");
    QVERIFY(w.fileBrowserShown());
    QVERIFY2(between.size() >= 10, qPrintable(QString::number(between.size())));
}

void tst_MainWindow::stepDuringAnimationHasTheLastWord()
{
    LumoraWebPageGen &w = start();
    RealTime realTime;
    const int collapsed = w.height();
    // Step 4 chosen as soon as step 1 has grown the window a frame, while it still grows.
    bool chosen = false;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        if (!chosen && w.height() > collapsed) {
            chosen = true;
            click("cmdPreview");
        }
    });
    watch.start(0);
    click("cmdColors");
    QVERIFY(chosen);
    QCOMPARE(lamps(), QList<bool>({false, false, false, true, false}));
    QCOMPARE(w.height(), Twips::toPixelsY(2400));
    QVERIFY(!w.isExpanded());
}

void tst_MainWindow::chasePattern_data()
{
    QTest::addColumn<QList<bool>>("before");
    QTest::addColumn<QList<bool>>("after");
    QTest::newRow("all black") << QList<bool>{0, 0, 0, 0, 0} << QList<bool>{0, 0, 0, 0, 1};
    QTest::newRow("5 wraps to 1") << QList<bool>{0, 0, 0, 0, 1} << QList<bool>{1, 0, 0, 0, 0};
    QTest::newRow("3 to 4") << QList<bool>{0, 0, 1, 0, 0} << QList<bool>{0, 0, 0, 1, 0};
    QTest::newRow("two lit stay") << QList<bool>{1, 0, 1, 0, 0} << QList<bool>{1, 0, 1, 0, 0};
}

void tst_MainWindow::chasePattern()
{
    QFETCH(QList<bool>, before);
    QFETCH(QList<bool>, after);
    LampChase::Pattern in;
    std::copy(before.begin(), before.end(), in.begin());
    const LampChase::Pattern out = LampChase::next(in);
    QCOMPARE(QList<bool>(out.begin(), out.end()), after);
}

void tst_MainWindow::chaseWalksFromAllBlack()
{
    LumoraWebPageGen &w = start();
    QCOMPARE(lamps(), QList<bool>(5, false));
    auto *timer = child<QTimer>(&w, "tmrLedFlash");
    QCOMPARE(timer->interval(), 1000);
    QVERIFY(timer->isActive());
    QList<int> lit;
    // Ends with this function: the window's destruction runs an event loop (its component
    // waits for its worker), in which the timer may still fire.
    QObject scope;
    connect(timer, &QTimer::timeout, &scope, [&] { lit << int(lamps().indexOf(true)); });
    timer->setInterval(5);
    QTRY_VERIFY(lit.size() >= 7);
    QCOMPARE(lit.mid(0, 7), QList<int>({4, 0, 1, 2, 3, 4, 0}));
}

void tst_MainWindow::chaseNeverResumesAfterAStep()
{
    LumoraWebPageGen &w = start();
    auto *timer = child<QTimer>(&w, "tmrLedFlash");
    timer->setInterval(5);
    QTRY_VERIFY(lamps().contains(true));
    click("cmdSelectImages");
    click("cmdColors");
    QVERIFY(!timer->isActive());
    // A tick already queued when the step came is handled here; it must not light a lamp.
    QCoreApplication::processEvents();
    QCOMPARE(lamps(), QList<bool>({true, false, false, false, false}));
}

void tst_MainWindow::freshUser()
{
    LumoraWebPageGen &w = start();
    for (const char *option : {"mnuOptionAutoSpace", "mnuEnableVoicePrompting",
                               "mnuOptionEnableSounds", "mnuOptionToolTips", "mnuOptionTipOfDay"})
        QVERIFY2(child<QAction>(&w, option)->isChecked(), option);
    QCOMPARE(w.pos(), QPoint(0, 0));
    QCOMPARE(w.windowTitle(), "Lumora Web Page Generator");
    QVERIFY(!w.isExpanded());
}

void tst_MainWindow::storedValues_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("autoSpace");
    QTest::addColumn<QPoint>("position");
    QTest::newRow("top -300") << "form"
                              << "top"
                              << "-300" << true << QPoint(0, 0);
    QTest::newRow("left 1500") << "form"
                               << "left"
                               << "1500" << true << QPoint(Twips::toPixelsX(1500), 0);
    QTest::newRow("off every screen") << "form"
                                      << "top"
                                      << "99999" << true << QPoint(0, 0);
    QTest::newRow("garbage position") << "form"
                                      << "left"
                                      << "far" << true << QPoint(0, 0);
    QTest::newRow("false") << "Options"
                           << "autospace"
                           << "false" << false << QPoint(0, 0);
    QTest::newRow("0") << "Options"
                       << "autospace"
                       << "0" << false << QPoint(0, 0);
    QTest::newRow("garbage option") << "Options"
                                    << "autospace"
                                    << "sometimes" << true << QPoint(0, 0);
}

void tst_MainWindow::storedValues()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    SettingsStore().Write(section, key, value);
    LumoraWebPageGen &w = start();
    QFETCH(bool, autoSpace);
    QCOMPARE(child<QAction>(&w, "mnuOptionAutoSpace")->isChecked(), autoSpace);
    QFETCH(QPoint, position);
    QCOMPARE(w.pos(), position);
}

void tst_MainWindow::exitWritesWhatNextStartReads()
{
    {
        LumoraWebPageGen &w = start();
        child<QAction>(&w, "mnuOptionAutoSpace")->trigger();
        child<QAction>(&w, "mnuEnableVoicePrompting")->trigger();
        w.move(Twips::toPixelsX(1500), Twips::toPixelsY(900));
        w.close();
    }
    SettingsStore store;
    QCOMPARE(store.Read("Options", "autospace", "?"), "False");
    QCOMPARE(store.Read("Options", "voiceprompt", "?"), "False");
    QCOMPARE(store.Read("Options", "sounds", "?"), "True");
    QCOMPARE(store.Read("Options", "tooltips", "?"), "True");
    QCOMPARE(store.Read("Options", "Show Tips at Startup", "?"), "True");
    QCOMPARE(store.Read("form", "top", "?"), "900");
    QCOMPARE(store.Read("form", "left", "?"), "1500");

    LumoraWebPageGen &next = start();
    QVERIFY(!child<QAction>(&next, "mnuOptionAutoSpace")->isChecked());
    QVERIFY(!child<QAction>(&next, "mnuEnableVoicePrompting")->isChecked());
    QVERIFY(child<QAction>(&next, "mnuOptionEnableSounds")->isChecked());
    QCOMPARE(next.pos(), QPoint(Twips::toPixelsX(1500), Twips::toPixelsY(900)));
}

void tst_MainWindow::componentMadeByProgId_data()
{
    QTest::addColumn<QString>("recorded"); // the library the registry names before the start
    QTest::newRow("fresh user") << QString();
    QTest::newRow("moved library") << "/nowhere/libRavel.so";
    QTest::newRow("registered") << RavelRegistry::componentFile();
}

// The window makes its component through the registry's class factory, as a host does.
void tst_MainWindow::componentMadeByProgId()
{
    QFETCH(QString, recorded);
    QFile::remove(RavelRegistry::fileName());
    if (!recorded.isEmpty())
        QCOMPARE(RavelRegistry::registerServer(recorded), RavelRegistry::Ok);
    const int before = RavelClassFactory::liveObjects();
    start();
    QCOMPARE(RavelClassFactory::liveObjects(), before + 1);
    QCOMPARE(RavelRegistry::libraryOf("Ravel.RavelCtrl.1"), RavelRegistry::componentFile());
    QVERIFY(m_dialogs.messages.isEmpty());
}

QTEST_MAIN(tst_MainWindow)
#include "tst_MainWindow.moc"
