#pragma once

#include "upload/FtpSiteMemory.h"
#include "upload/UploadFields.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class RememberedPaths;
class SettingsStore;
class SitePasswords;
class UploadJob;

// "FTP Upload to Web Site": the login fields with their remembered sites, the buttons that
// start and cancel an upload, and the live status transcript.
class FtpUploadPanel : public QGroupBox, public UploadFields
{
    Q_OBJECT
public:
    FtpUploadPanel(SettingsStore &store, QWidget *parent = nullptr);

    // The job whose status this panel shows and whose buttons it drives.
    void attach(UploadJob &job);
    // Where the remembered sites' passwords are read from besides the settings file.
    void setSitePasswords(SitePasswords &passwords);

    // Preparing the panel when its step opens: remembered sites, then the generated page.
    void prepare(const RememberedPaths &paths);
    void LoadFtpSiteList();
    void LoadFtpSite(int slot);

    FtpSite site() const override;
    void setUrlPath(const QString &path) override;
    void showSites(const FtpSiteMemory::Sites &sites) override;
    void setSite(const FtpSite &site);

    void ShowFtpSessionLog();

signals:
    void beginClicked();
    void cancelClicked();
    void manageWebsiteClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *field(const char *name, const char *labelName, const QString &caption, int row);
    void pickSite(int index);
    void setRunning(bool running);
    // Passwords the keyring gave after the sites were shown.
    void fillPasswords();

    SettingsStore &m_store;
    SitePasswords *m_passwords = nullptr;
    FtpSiteMemory::Sites m_sites{};
    QComboBox *m_txtSiteUrl;
    QLineEdit *m_txtSiteUserName = nullptr;
    QLineEdit *m_txtSitePassword = nullptr;
    QLineEdit *m_txtSiteUrlPath = nullptr;
    QLineEdit *m_txtFilePath = nullptr;
    QCheckBox *m_chkChangedOnly = nullptr;
    QComboBox *m_cboSecurity = nullptr;
    QCheckBox *m_chkDeleteRemoved = nullptr;
    QSpinBox *m_spnConnections = nullptr;
    QPushButton *m_cmdBeginFtpUpload;
    QPushButton *m_cmdCancelFtpUpload;
    QPushButton *m_cmdManageWebsite;
    QPushButton *m_cmdFtpSessionView;
    QPlainTextEdit *m_lblFtpStatus;
    QProgressBar *m_progress;
};
