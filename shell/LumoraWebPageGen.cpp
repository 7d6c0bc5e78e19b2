#include "shell/LumoraWebPageGen.h"

#include "core/AppText.h"
#include "core/Dialogs.h"
#include "core/ErrorInfo.h"
#include "core/PathNames.h"
#include "core/Twips.h"
#include "dialogs/gui/SingleLineValidator.h"
#include "generator/AlbumGenerator.h"
#include "images/gui/FileBrowserPanel.h"
#include "images/gui/ScannerCommands.h"
#include "preview/gui/BrowserWindow.h"
#include "preview/gui/PreviewCommand.h"
#include "project/ProjectFile.h"
#include "project/ShellSettings.h"
#include "ravel/RavelDispatch.h"
#include "shell/Artwork.h"
#include "shell/AudioSinkOutput.h"
#include "shell/ComponentHost.h"
#include "shell/FileBrowserToggle.h"
#include "shell/HelpPage.h"
#include "shell/ImageListPanel.h"
#include "shell/IndicatorLamp.h"
#include "shell/LampChase.h"
#include "shell/LayoutChooserDialog.h"
#include "shell/MainMenus.h"
#include "shell/PanelSlider.h"
#include "shell/PreviewArea.h"
#include "shell/StylePanel.h"
#include "shell/ToolTips.h"
#include "shell/frmAbout.h"
#include "shell/frmTip.h"
#include "upload/FtpClientLauncher.h"
#include "upload/PasswordKeyring.h"
#include "upload/SitePasswords.h"
#include "upload/UploadJob.h"
#include "upload/gui/FtpUploadPanel.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <memory>

namespace {
constexpr int DummyFocusX = 6600;
const QString Sounds = QStringLiteral("SOUNDS");
const QString Voices = QStringLiteral("VOICES");
} // namespace

LumoraWebPageGen::LumoraWebPageGen(Dialogs &dialogs, QWidget *parent)
    : LumoraWebPageGen(dialogs, std::make_unique<AudioSinkOutput>(), parent)
{
}

LumoraWebPageGen::LumoraWebPageGen(Dialogs &dialogs, std::unique_ptr<SoundOutput> sound,
                                   QWidget *parent)
    : QMainWindow(parent), m_dialogs(dialogs), m_sound(std::move(sound)), m_appFolder(AppFolder()),
      m_height(*this, WindowWidth, CollapsedHeight, ExpandedHeight),
      m_scanner(new ScannerCommands(dialogs, this, "sane", this))
{
    setObjectName(QStringLiteral("LumoraWebPageGen"));
    setWindowTitle(AppText::AppTitle);
    setWindowIcon(QPixmap::fromImage(Artwork::icon(64)));

    m_menus = new MainMenus(*this, *m_scanner);
    auto *central = new QWidget(this);
    setCentralWidget(central);
    m_panelTop = Twips::toPixelsY(CollapsedHeight) - menuBar()->sizeHint().height();
    buildSteps(central);
    buildPanels(central);
    connectMenus();
    connectUpload();
    SingleLineValidator::install(this);

    m_height.setHeight(CollapsedHeight);
    applyStoredSettings();
    if (!m_store.refusal().isEmpty())
        m_dialogs.message(m_store.refusal(), Dialogs::Icon::Exclamation);
    ToolTips::SetToolTips(this, m_menus->toolTips());
    m_set.paths.reset(m_appFolder);
    m_set.style.mainBackgroundIsColor = true;
    m_set.style.linkBackgroundIsColor = true;
    showWorkingSet();

    tmrLedFlash = new QTimer(this);
    tmrLedFlash->setObjectName(QStringLiteral("tmrLedFlash"));
    tmrLedFlash->setInterval(1000);
    connect(tmrLedFlash, &QTimer::timeout, this, &LumoraWebPageGen::chaseLamps);
    tmrLedFlash->start();

    if (m_menus->voicePrompting())
        m_sound.PlayResourceSound(QStringLiteral("WELCOME"), Voices);
}

void LumoraWebPageGen::connectMenus()
{
    connect(m_menus, &MainMenus::newChosen, this, &LumoraWebPageGen::newProject);
    connect(m_menus, &MainMenus::loadChosen, this, &LumoraWebPageGen::loadProject);
    connect(m_menus, &MainMenus::saveChosen, this, &LumoraWebPageGen::saveProject);
    connect(m_menus, &MainMenus::advancedFtpChosen, this, &LumoraWebPageGen::showFtpSettings);
    connect(m_menus, &MainMenus::helpChosen, this, &LumoraWebPageGen::showHelp);
    connect(m_menus, &MainMenus::aboutChosen, this, &LumoraWebPageGen::showAbout);
    connect(m_scanner, &ScannerCommands::pictureAcquired, this,
            [this](const QImage &picture) { m_preview->showImage(picture); });
}

void LumoraWebPageGen::showFtpSettings()
{
    const RavelDispatch::Result shown = RavelDispatch::invoke(
        *m_ravel, QStringLiteral("ShowPropPage"), RavelDispatch::Kind::Call, {});
    if (shown.error)
        m_dialogs.message(
            QStringLiteral("%1 - %2").arg(shown.error->number()).arg(shown.error->description()),
            AppText::AppTitle, Dialogs::Icon::Critical, Dialogs::Buttons::Ok);
}

void LumoraWebPageGen::buildSteps(QWidget *central)
{
    struct Step
    {
        QPushButton *&button;
        IndicatorLamp *&lamp;
        const char *buttonName, *lampName;
        QString caption;
        void (LumoraWebPageGen::*command)();
    };
    const Step steps[] = {
        {cmdColors, LEDselectColor, "cmdColors", "LEDselectColor",
         QStringLiteral("&Select Title, Fonts, Backgrounds"), &LumoraWebPageGen::cmdColors_Click},
        {cmdSelectImages, LEDselectImages, "cmdSelectImages", "LEDselectImages",
         QStringLiteral("Select Digital &Images"), &LumoraWebPageGen::cmdSelectImages_Click},
        {cmdGenerateHtml, LEDgenWebPage, "cmdGenerateHtml", "LEDgenWebPage",
         QStringLiteral("&Generate Lumora Web Page"), &LumoraWebPageGen::cmdGenerateHtml_Click},
        {cmdPreview, LEDpreView, "cmdPreview", "LEDpreView", QStringLiteral("&Pre-View Web Page"),
         &LumoraWebPageGen::cmdPreview_Click},
        {cmdFtpUpload, LEDupload, "cmdFtpUpload", "LEDupload",
         QStringLiteral("&Upload to Web Site (FTP)"), &LumoraWebPageGen::cmdFtpUpload_Click},
    };
    constexpr int Margin = 4, Gap = 3, ButtonWidth = 232, LampSize = 12;
    const int buttonHeight = (m_panelTop - 2 * Margin - 4 * Gap) / 5;
    int y = Margin;
    for (const Step &s : steps) {
        s.button = new QPushButton(s.caption, central);
        s.button->setObjectName(QString::fromLatin1(s.buttonName));
        s.button->setGeometry(Margin + 2, y, ButtonWidth, buttonHeight);
        connect(s.button, &QPushButton::clicked, this, s.command);
        connect(m_menus->stepAction(int(m_lamps.size())), &QAction::triggered, this, s.command);
        s.lamp = new IndicatorLamp(central);
        s.lamp->setObjectName(QString::fromLatin1(s.lampName));
        s.lamp->setGeometry(Margin + 2 + ButtonWidth + 6, y + (buttonHeight - LampSize) / 2,
                            LampSize, LampSize);
        m_lamps << s.lamp;
        y += buttonHeight + Gap;
    }

    const int previewLeft = Margin + 2 + ButtonWidth + 6 + LampSize + 8;
    m_preview = new PreviewArea(central);
    m_preview->setGeometry(previewLeft, 2, Twips::toPixelsX(WindowWidth) - previewLeft - Margin,
                           m_panelTop - 4);

    // Takes the focus where no field should keep it; placed just outside the window.
    cmdDummyFocus = new QPushButton(central);
    cmdDummyFocus->setObjectName(QStringLiteral("cmdDummyFocus"));
    cmdDummyFocus->setGeometry(Twips::toPixelsX(DummyFocusX), 0, 8, 8);

    txtFormReturnCodes = new QLineEdit(central);
    txtFormReturnCodes->setObjectName(QStringLiteral("txtFormReturnCodes"));
    txtFormReturnCodes->hide();
}

void LumoraWebPageGen::buildPanels(QWidget *central)
{
    frameColorFontTitle =
        new StylePanel(m_set, m_dialogs, *txtFormReturnCodes, cmdDummyFocus, central);
    frameImageList = new ImageListPanel(m_set.images, m_dialogs, m_preview, cmdDummyFocus, central);
    FrameFtpUpload = new FtpUploadPanel(m_store, central);

    const int panelHeight = Twips::toPixelsY(ExpandedHeight) - Twips::toPixelsY(CollapsedHeight);
    m_slider = new PanelSlider(m_panelTop, this);
    connect(m_slider, &PanelSlider::sliding, this, [this](bool on) { setStepsEnabled(!on); });
    // The order in which a slide looks for the panel showing.
    for (QWidget *panel :
         {static_cast<QWidget *>(frameColorFontTitle), static_cast<QWidget *>(FrameFtpUpload),
          static_cast<QWidget *>(frameImageList)}) {
        panel->resize(Twips::toPixelsX(WindowWidth) - 2, panelHeight);
        m_slider->add(panel);
    }

    cmdDriveList = frameImageList->driveListButton();
    // Below the step panel, where the toggle's growth of the window shows it.
    frmDriveList = new FileBrowserPanel(m_dialogs, central);
    const int margin = 4;
    frmDriveList->setGeometry(margin, m_panelTop + panelHeight,
                              Twips::toPixelsX(WindowWidth) - 2 * margin,
                              Twips::toPixelsY(FileBrowserToggle::ShownHeight) - margin);
    frmDriveList->hide();
    m_browser =
        std::make_unique<FileBrowserToggle>(m_height, *cmdDriveList, *frmDriveList, *cmdDummyFocus);
    connectFileBrowser();
}

void LumoraWebPageGen::connectFileBrowser()
{
    connect(frmDriveList, &FileBrowserPanel::addToImageList, frameImageList,
            &ImageListPanel::AddFolderFiles);
    connect(frmDriveList, &FileBrowserPanel::previewRequested, this, [this](const QString &path) {
        m_preview->showPicture(path, QStringLiteral("FileList Pre-View"));
    });
}

void LumoraWebPageGen::applyStoredSettings()
{
    ShellSettings s = ShellSettings::read(m_store);
    s.tipOfDay = ShellSettings::readTipOfDay(m_store);
    m_menus->setOptions(s);
    placeOnScreen(s.left, s.top);
}

// A stored position that would put the window on no screen (another monitor
// set-up, a damaged store) opens it at the top left instead.
void LumoraWebPageGen::placeOnScreen(int leftTwips, int topTwips)
{
    const QPoint at(Twips::toPixelsX(leftTwips), Twips::toPixelsY(topTwips));
    const QRect wanted(at, size());
    for (const QScreen *screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().contains(wanted.center())) {
            move(at);
            return;
        }
    }
    move(0, 0);
}

void LumoraWebPageGen::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        // Queued: the modal tip window must not run inside the activation itself.
        if (!std::exchange(m_activated, true))
            QMetaObject::invokeMethod(this, &LumoraWebPageGen::firstActivation,
                                      Qt::QueuedConnection);
        m_menus->setTipOfDay(ShellSettings::readTipOfDay(m_store));
    }
    QMainWindow::changeEvent(event);
}

void LumoraWebPageGen::firstActivation()
{
    if (ShellSettings::tipsText(m_store, QString()) == QLatin1String("True"))
        frmTip(m_store, this).run();
}

void LumoraWebPageGen::closeEvent(QCloseEvent *event)
{
    // The job runs below this event on the stack: it is cancelled, and the window closes
    // once it has unwound, never with a completion message for what did not arrive.
    if (m_upload && m_upload->running()) {
        event->ignore();
        if (!m_closeAfterUpload) {
            m_closeAfterUpload = true;
            connect(m_upload, &UploadJob::finished, this, &QWidget::close, Qt::QueuedConnection);
            m_upload->CancelUpload();
        }
        return;
    }
    if (!m_unloaded) {
        m_unloaded = true;
        ShellSettings s;
        m_menus->readOptions(s);
        s.top = Twips::fromPixelsY(y());
        s.left = Twips::fromPixelsX(x());
        s.write(m_store);
    }
    event->accept();
}

bool LumoraWebPageGen::fileBrowserShown() const
{
    return m_browser->shown();
}

void LumoraWebPageGen::SelectStep(IndicatorLamp *lamp)
{
    if (m_menus->sounds())
        m_sound.PlayResourceSound(QStringLiteral("PICTURE"), Sounds);
    tmrLedFlash->stop();
    for (IndicatorLamp *l : std::as_const(m_lamps))
        l->setOn(false);
    lamp->setOn(true);
    m_preview->showLogo();
    // The prompt stops the click: the player plays one sound at a time.
    if (m_menus->voicePrompting())
        m_sound.PlayResourceSound(QStringLiteral("STEP%1").arg(m_lamps.indexOf(lamp) + 1), Voices);
}

void LumoraWebPageGen::chaseLamps()
{
    LampChase::Pattern pattern;
    for (int i = 0; i < LampChase::LampCount; ++i)
        pattern[i] = m_lamps[i]->isOn();
    pattern = LampChase::next(pattern);
    for (int i = 0; i < LampChase::LampCount; ++i)
        m_lamps[i]->setOn(pattern[i]);
}

void LumoraWebPageGen::showPanelStep(IndicatorLamp *lamp, QWidget *panel)
{
    SelectStep(lamp);
    if (!m_height.isExpanded())
        m_height.expand();
    if (fileBrowserShown())
        m_browser->toggle();
    m_slider->bringIn(panel);
}

void LumoraWebPageGen::collapsedStep(IndicatorLamp *lamp)
{
    SelectStep(lamp);
    QCoreApplication::processEvents();
    if (fileBrowserShown())
        m_browser->toggle();
    QCoreApplication::processEvents();
    if (m_height.isExpanded())
        m_height.collapse();
    QCoreApplication::processEvents();
    cmdDummyFocus->setFocus();
}

void LumoraWebPageGen::cmdColors_Click()
{
    showPanelStep(LEDselectColor, frameColorFontTitle);
}

void LumoraWebPageGen::cmdSelectImages_Click()
{
    SelectStep(LEDselectImages);
    if (!m_height.isExpanded())
        m_height.expand();
    m_slider->bringIn(frameImageList);
    if (!fileBrowserShown())
        m_browser->toggle();
}

void LumoraWebPageGen::cmdGenerateHtml_Click()
{
    collapsedStep(LEDgenWebPage);
    LayoutChooserDialog chooser(*txtFormReturnCodes, this);
    // Escape or closing the chooser is a cancel: a word left from an earlier dialog would
    // otherwise run a layout nobody chose, or report a page that was never written.
    if (chooser.exec() != QDialog::Accepted)
        return;
    AlbumGenerator generator(m_dialogs);
    // Only the gallery reports progress, so the dialog is made on the first report (it would
    // show itself after its minimum duration otherwise). Window-modal, it handles the window's
    // events on each report: the window repaints and Cancel works while pictures are made.
    std::unique_ptr<QProgressDialog> progress;
    generator.setGalleryOptions({chooser.largeScreens(), chooser.includeOriginals(),
                                 [&progress, this](int done, int total) {
                                     if (!progress) {
                                         progress = std::make_unique<QProgressDialog>(this);
                                         progress->setWindowModality(Qt::WindowModal);
                                         progress->setMinimumDuration(500);
                                         progress->setMaximum(total);
                                     }
                                     progress->setLabelText(
                                         GalleryWriter::ProgressText(done, total));
                                     progress->setValue(done);
                                     return !progress->wasCanceled();
                                 }});
    generator.GenerateWebPage(txtFormReturnCodes->text(),
                              {m_set.style, m_set.images.entries(), m_menus->autoSpace()},
                              m_set.paths, m_set.output);
}

void LumoraWebPageGen::cmdPreview_Click()
{
    collapsedStep(LEDpreView);
    PreviewCommand::PreviewWebPage(
        this, m_dialogs, m_set.paths,
        PreviewSources({m_set.style, m_set.images.entries(), m_menus->autoSpace()}));
}

void LumoraWebPageGen::showAbout()
{
    frmAbout about(m_dialogs, this);
    connect(&about, &frmAbout::helpRequested, this, &LumoraWebPageGen::showHelp);
    about.exec();
    cmdDummyFocus->setFocus();
}

void LumoraWebPageGen::showHelp()
{
    const QUrl page = HelpPage::url();
    if (page.isEmpty()) {
        const ErrorInfo error = ErrorInfo::fileNotFound(HelpPage::expectedPath());
        m_dialogs.message(QStringLiteral("%1 - %2").arg(error.number).arg(error.description),
                          AppText::AppTitle, Dialogs::Icon::None, Dialogs::Buttons::Ok);
        return;
    }
    BrowserWindow browser(m_dialogs, m_set.paths, this);
    browser.setWindowTitle(QStringLiteral("Lumora Help File"));
    browser.navigateTo(page.toLocalFile());
    browser.exec();
}

void LumoraWebPageGen::cmdFtpUpload_Click()
{
    FrameFtpUpload->prepare(m_set.paths);
    showPanelStep(LEDupload, FrameFtpUpload);
}

LumoraWebPageGen::~LumoraWebPageGen()
{
    m_ravel.reset();
}

void LumoraWebPageGen::connectUpload()
{
    m_ravel = ComponentHost::create(m_dialogs);
    m_ravel->setObjectName(QStringLiteral("Ravel"));
    UploadJob::ConfigureComponent(*m_ravel);
    m_upload = new UploadJob(*m_ravel, *FrameFtpUpload, m_dialogs, m_store, this);
    FrameFtpUpload->attach(*m_upload);
    // Only the window moves passwords the settings file still holds into the keyring.
    auto *passwords = new SitePasswords(m_store, *new PasswordKeyring(this), this);
    m_upload->setSitePasswords(*passwords);
    FrameFtpUpload->setSitePasswords(*passwords);
    passwords->start();
    passwords->load(FtpSiteMemory(m_store).LoadFtpSiteList());
    connect(FrameFtpUpload, &FtpUploadPanel::beginClicked, this,
            [this] { m_upload->run(m_set, [this] { return m_menus->autoSpace(); }); });
    connect(FrameFtpUpload, &FtpUploadPanel::cancelClicked, m_upload, &UploadJob::CancelUpload);
    connect(FrameFtpUpload, &FtpUploadPanel::manageWebsiteClicked, this, [this] {
        cmdDummyFocus->setFocus();
        FtpClientLauncher(m_dialogs, m_store).run();
    });
    connect(m_upload, &UploadJob::controlsEnabled, this,
            &LumoraWebPageGen::SetUploadControlsEnabled);
    connect(m_upload, &UploadJob::pictureStarted, this,
            [this](const QString &caption, const QString &path) {
                if (m_preview->showPicture(path, caption))
                    return;
                const ErrorInfo error =
                    QFileInfo::exists(path)
                        ? ErrorInfo{ErrorNumber::InvalidPicture, QStringLiteral("Invalid picture")}
                        : ErrorInfo::fileNotFound(path);
                m_dialogs.message(
                    QStringLiteral("%1 - %2").arg(error.number).arg(error.description));
            });
    connect(m_upload, &UploadJob::busyPointer, this, [this](bool busy) {
        if (busy)
            setCursor(Qt::BusyCursor);
        else
            unsetCursor();
    });
}

void LumoraWebPageGen::SetUploadControlsEnabled(bool enabled)
{
    setStepsEnabled(enabled);
    m_menus->setWorkflowEnabled(enabled);
    if (!enabled)
        cmdDummyFocus->setFocus();
    m_preview->showLogo();
}

void LumoraWebPageGen::setStepsEnabled(bool enabled)
{
    for (QPushButton *b :
         {cmdColors, cmdSelectImages, cmdGenerateHtml, cmdPreview, cmdFtpUpload, cmdDriveList})
        b->setEnabled(enabled);
    m_menus->setStepsEnabled(enabled);
}

void LumoraWebPageGen::showWorkingSet()
{
    frameColorFontTitle->refresh();
    frameImageList->reload();
}

void LumoraWebPageGen::newProject()
{
    ProjectFile::NewProject(m_set, m_appFolder);
    showWorkingSet();
    m_preview->showLogo();
    m_upload->clearStatus();
}

void LumoraWebPageGen::loadProject()
{
    // A failed load keeps what it read so far, so the fields are shown in every case.
    // Line 12 is the upload panel's path field: a load that stops before it leaves it as is.
    FtpSite site = FrameFtpUpload->site();
    m_set.uploadFilePath = site.filePath;
    ProjectFile(m_dialogs).LoadProject(m_set, m_appFolder);
    showWorkingSet();
    site.filePath = m_set.uploadFilePath;
    FrameFtpUpload->setSite(site);
}

void LumoraWebPageGen::saveProject()
{
    m_set.uploadFilePath = FrameFtpUpload->site().filePath;
    ProjectFile(m_dialogs).SaveProject(m_set, m_appFolder);
}
