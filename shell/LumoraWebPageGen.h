#pragma once

#include "project/SettingsStore.h"
#include "project/WorkingSet.h"
#include "ravel/CRavelCtrl.h"
#include "shell/SoundPlayer.h"
#include "shell/WindowHeightAnimator.h"

#include <QMainWindow>

class Dialogs;
class FileBrowserPanel;
class FileBrowserToggle;
class FtpUploadPanel;
class ImageListPanel;
class IndicatorLamp;
class MainMenus;
class PanelSlider;
class PreviewArea;
class QLineEdit;
class QPushButton;
class QTimer;
class ScannerCommands;
class StylePanel;
class UploadJob;

// The main window: five workflow steps, each with a button and a lamp; three of
// them bring a panel below the buttons, growing the window to show it.
class LumoraWebPageGen : public QMainWindow
{
    Q_OBJECT
public:
    // Window geometry in twips.
    static constexpr int WindowWidth = 6525;
    static constexpr int CollapsedHeight = 2400;
    static constexpr int ExpandedHeight = 5040;

    explicit LumoraWebPageGen(Dialogs &dialogs, QWidget *parent = nullptr);
    // Sounds go to the output given instead of the sound card.
    LumoraWebPageGen(Dialogs &dialogs, std::unique_ptr<SoundOutput> sound,
                     QWidget *parent = nullptr);

    bool isExpanded() const { return m_height.isExpanded(); }
    const WorkingSet &workingSet() const { return m_set; }
    bool fileBrowserShown() const;

    void cmdColors_Click();
    void cmdSelectImages_Click();
    void cmdGenerateHtml_Click();
    void cmdPreview_Click();
    // OpenUploadPanel: remembered sites and the generated page, then the panel.
    void cmdFtpUpload_Click();
    ~LumoraWebPageGen() override;
    CRavelCtrl &ravel() { return *m_ravel; }
    void showAbout();
    void showHelp();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildSteps(QWidget *central);
    void buildPanels(QWidget *central);
    void connectMenus();
    void showFtpSettings();
    void connectFileBrowser();
    // The tip of the day once, at the first activation, when the stored choice is "True".
    void firstActivation();
    void applyStoredSettings();
    void placeOnScreen(int leftTwips, int topTwips);

    void SelectStep(IndicatorLamp *lamp);
    // Steps with a panel: expanded window, file browser hidden, the panel in front.
    void showPanelStep(IndicatorLamp *lamp, QWidget *panel);
    // Steps that open a window of their own: the main window shrinks back first.
    void collapsedStep(IndicatorLamp *lamp);
    void chaseLamps();
    void setStepsEnabled(bool enabled);

    void connectUpload();
    // Workflow controls off while an upload runs; Cancel the opposite.
    void SetUploadControlsEnabled(bool enabled);

    void newProject();
    void loadProject();
    void saveProject();
    void showWorkingSet();

    Dialogs &m_dialogs;
    SettingsStore m_store;
    SoundPlayer m_sound;
    WorkingSet m_set;
    QString m_appFolder;
    WindowHeightAnimator m_height;
    bool m_unloaded = false;
    bool m_closeAfterUpload = false;
    bool m_activated = false;
    int m_panelTop = 0;

    QPushButton *cmdColors;
    QPushButton *cmdSelectImages;
    QPushButton *cmdGenerateHtml;
    QPushButton *cmdPreview;
    QPushButton *cmdFtpUpload;
    IndicatorLamp *LEDselectColor;
    IndicatorLamp *LEDselectImages;
    IndicatorLamp *LEDgenWebPage;
    IndicatorLamp *LEDpreView;
    IndicatorLamp *LEDupload;
    QList<IndicatorLamp *> m_lamps;
    QTimer *tmrLedFlash;
    PreviewArea *m_preview;
    QPushButton *cmdDummyFocus;
    QLineEdit *txtFormReturnCodes;
    StylePanel *frameColorFontTitle;
    ImageListPanel *frameImageList;
    FtpUploadPanel *FrameFtpUpload;
    UploadJob *m_upload;
    FileBrowserPanel *frmDriveList;
    QPushButton *cmdDriveList;
    ScannerCommands *m_scanner;
    MainMenus *m_menus;
    PanelSlider *m_slider;
    std::unique_ptr<FileBrowserToggle> m_browser;
    // The window's one FTP component. Closing it ends its worker, which may still say
    // goodbye to a server, so it goes first, while everything else is still there.
    std::unique_ptr<CRavelCtrl> m_ravel;
};
