#include "shell/MainMenus.h"

#include "images/gui/ScannerCommands.h"
#include "project/ShellSettings.h"
#include "shell/ToolTips.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

namespace {
QAction *menuItem(QMenu *menu, const char *name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QMenu *subMenu(QWidget *parent, QMenuBar *bar, const char *name, const QString &caption)
{
    auto *menu = new QMenu(caption, parent);
    menu->setObjectName(QString::fromLatin1(name));
    if (bar)
        bar->addMenu(menu);
    return menu;
}

void spacer(QMenu *menu, const char *name)
{
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}
} // namespace

MainMenus::MainMenus(QMainWindow &window, ScannerCommands &scanner) : QObject(&window)
{
    buildFile(window, scanner);

    QMenu *web = subMenu(&window, window.menuBar(), "mnuWebPage", QStringLiteral("&Web Page"));
    m_stepActions = {
        menuItem(web, "mnuColor", QStringLiteral("&Select Web Page Attributes")),
        menuItem(web, "mnuSelectImages", QStringLiteral("Select Digital &Images")),
        menuItem(web, "mnuGenWebPage", QStringLiteral("&Generate Web Page")),
        menuItem(web, "mnuViewWebPage", QStringLiteral("&Pre-View Web Page")),
        menuItem(web, "mnuFtpUpload", QStringLiteral("&Upload to Web (FTP)")),
    };
    m_workflowMenus << web;

    buildOptions(window);

    QMenu *help = subMenu(&window, window.menuBar(), "mnuHelp", QStringLiteral("&Help"));
    connect(menuItem(help, "mnuLumoraHelp", QStringLiteral("&Lumora Help")), &QAction::triggered,
            this, &MainMenus::helpChosen);
    spacer(help, "mnuSpacer3");
    connect(menuItem(help, "mnuAbout", QStringLiteral("&About")), &QAction::triggered, this,
            &MainMenus::aboutChosen);
    m_workflowMenus << help;
}

void MainMenus::buildFile(QMainWindow &window, ScannerCommands &scanner)
{
    QMenu *file = subMenu(&window, window.menuBar(), "mnuFile", QStringLiteral("&File"));
    connect(menuItem(file, "mnuNew", QStringLiteral("&New (Clear All)")), &QAction::triggered, this,
            &MainMenus::newChosen);
    connect(menuItem(file, "mnuLoad", QStringLiteral("&Load Lumora File")), &QAction::triggered,
            this, &MainMenus::loadChosen);
    connect(menuItem(file, "mnuSave", QStringLiteral("&Save Lumora File")), &QAction::triggered,
            this, &MainMenus::saveChosen);
    spacer(file, "mnuSpacer5");
    QMenu *twain =
        subMenu(&window, nullptr, "mnuTwainImportImage", QStringLiteral("&Import Image (Twain)"));
    file->addMenu(twain);
    connect(menuItem(twain, "mnuTwainAcquire", QStringLiteral("Ac&quire")), &QAction::triggered,
            &scanner, &ScannerCommands::Acquire);
    connect(menuItem(twain, "mnuTwainSelectSource", QStringLiteral("S&elect Source")),
            &QAction::triggered, &scanner, &ScannerCommands::SelectSource);
    spacer(file, "mnuSpacer4");
    connect(menuItem(file, "mnuExit", QStringLiteral("&Exit")), &QAction::triggered, &window,
            [&window] {
                window.close();
                QApplication::quit();
            });
    m_workflowMenus << file;
}

void MainMenus::buildOptions(QMainWindow &window)
{
    QMenu *options = subMenu(&window, window.menuBar(), "mnuOptionS", QStringLiteral("&Options"));
    auto option = [options](const char *name, const QString &caption) {
        QAction *action = menuItem(options, name, caption);
        action->setCheckable(true);
        return action;
    };
    mnuOptionAutoSpace = option("mnuOptionAutoSpace",
                                QStringLiteral("Enable &Auto Space Replacement in Image Names"));
    mnuEnableVoicePrompting =
        option("mnuEnableVoicePrompting", QStringLiteral("Enable &Voice Instructions"));
    mnuOptionEnableSounds =
        option("mnuOptionEnableSounds", QStringLiteral("Enable &Program Sounds"));
    mnuOptionToolTips = option("mnuOptionToolTips", QStringLiteral("Show Pop-Up &ToolTips"));
    connect(mnuOptionToolTips, &QAction::triggered, &window,
            [&window](bool on) { ToolTips::SetToolTips(&window, on); });
    mnuOptionTipOfDay =
        option("mnuOptionTipOfDay", QStringLiteral("&Show Tip of The Day at Startup"));
    spacer(options, "mnuSpacer7");
    // Changes hold for this session only: the program saves none of them.
    connect(menuItem(options, "mnuOptionAdvancedFtp", QStringLiteral("Advanced &FTP Settings")),
            &QAction::triggered, this, &MainMenus::advancedFtpChosen);
}

void MainMenus::setStepsEnabled(bool enabled)
{
    for (QAction *a : std::as_const(m_stepActions))
        a->setEnabled(enabled);
}

void MainMenus::setWorkflowEnabled(bool enabled)
{
    for (QMenu *menu : std::as_const(m_workflowMenus))
        menu->menuAction()->setEnabled(enabled);
}

bool MainMenus::autoSpace() const
{
    return mnuOptionAutoSpace->isChecked();
}

bool MainMenus::sounds() const
{
    return mnuOptionEnableSounds->isChecked();
}

bool MainMenus::voicePrompting() const
{
    return mnuEnableVoicePrompting->isChecked();
}

bool MainMenus::toolTips() const
{
    return mnuOptionToolTips->isChecked();
}

void MainMenus::setTipOfDay(bool on)
{
    mnuOptionTipOfDay->setChecked(on);
}

void MainMenus::setOptions(const ShellSettings &options)
{
    mnuOptionAutoSpace->setChecked(options.autoSpace);
    mnuOptionEnableSounds->setChecked(options.sounds);
    mnuOptionToolTips->setChecked(options.toolTips);
    mnuEnableVoicePrompting->setChecked(options.voicePrompt);
    mnuOptionTipOfDay->setChecked(options.tipOfDay);
}

void MainMenus::readOptions(ShellSettings &options) const
{
    options.autoSpace = mnuOptionAutoSpace->isChecked();
    options.sounds = mnuOptionEnableSounds->isChecked();
    options.toolTips = mnuOptionToolTips->isChecked();
    options.voicePrompt = mnuEnableVoicePrompting->isChecked();
    options.tipOfDay = mnuOptionTipOfDay->isChecked();
}
