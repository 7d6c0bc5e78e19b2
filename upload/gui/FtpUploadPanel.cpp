#include "upload/gui/FtpUploadPanel.h"

#include "dialogs/gui/KeyFilter.h"
#include "generator/RememberedPaths.h"
#include "upload/SitePasswords.h"
#include "upload/StatusTranscript.h"
#include "upload/UploadJob.h"
#include "upload/UploadPlan.h"
#include "upload/gui/frmFtpSession.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

FtpUploadPanel::FtpUploadPanel(SettingsStore &store, QWidget *parent)
    : QGroupBox(QStringLiteral("FTP Upload to Web Site"), parent), m_store(store),
      m_txtSiteUrl(new QComboBox(this)),
      m_cmdBeginFtpUpload(new QPushButton(QStringLiteral("&Begin FTP Upload"), this)),
      m_cmdCancelFtpUpload(new QPushButton(QStringLiteral("&Cancel FTP Upload"), this)),
      m_cmdManageWebsite(new QPushButton(QStringLiteral("&Manage Website"), this)),
      m_cmdFtpSessionView(new QPushButton(QStringLiteral("..."), this)),
      m_lblFtpStatus(new QPlainTextEdit(this)), m_progress(new QProgressBar(this))
{
    setObjectName(QStringLiteral("FrameFtpUpload"));
    auto *grid = new QGridLayout(this);
    grid->setVerticalSpacing(2);
    grid->setContentsMargins(6, 4, 6, 4);

    auto *urlLabel = new QLabel(QStringLiteral("FTP URL Path:"), this);
    urlLabel->setObjectName(QStringLiteral("Label18"));
    m_txtSiteUrl->setObjectName(QStringLiteral("txtSiteUrl"));
    m_txtSiteUrl->setEditable(true);
    m_txtSiteUrl->setInsertPolicy(QComboBox::NoInsert);
    m_cboSecurity = new QComboBox(this);
    m_cboSecurity->setObjectName(QStringLiteral("cboSecurity"));
    // In the order of TlsMode's values.
    m_cboSecurity->addItems({QStringLiteral("Plain FTP"), QStringLiteral("TLS if available"),
                             QStringLiteral("TLS required")});
    m_cboSecurity->setCurrentIndex(int(TlsMode::Auto));
    m_cboSecurity->setToolTip(
        QStringLiteral("How the password and the pictures are protected on their way: TLS "
                       "encrypts them; plain FTP sends them as they are."));
    auto *urlRow = new QHBoxLayout;
    urlRow->addWidget(m_txtSiteUrl, 1);
    urlRow->addWidget(m_cboSecurity);
    grid->addWidget(urlLabel, 0, 0);
    grid->addLayout(urlRow, 0, 1);
    connect(m_txtSiteUrl, &QComboBox::activated, this, &FtpUploadPanel::pickSite);

    m_txtSiteUserName = field("txtSiteUserName", "Label19", QStringLiteral("User Name:"), 1);
    m_txtSitePassword = field("txtSitePassword", "Label17", QStringLiteral("Password:"), 2);
    m_txtSiteUrlPath = field("txtSiteUrlPath", "Label13", QStringLiteral("Ftp Upload Path:"), 3);
    m_txtFilePath = field("txtFilePath", "Label6", QStringLiteral("Uploading:"), 4);
    m_txtSiteUserName->setText(QStringLiteral("anonymous"));
    m_txtSitePassword->setText(QStringLiteral("yourname@example.org"));
    m_txtSitePassword->setEchoMode(QLineEdit::PasswordEchoOnEdit);
    KeyFilter::install(QStringLiteral("'\""), {m_txtSiteUserName, m_txtSitePassword});
    KeyFilter::install(QStringLiteral("\"\\'"), {m_txtSiteUrlPath});

    m_cmdBeginFtpUpload->setObjectName(QStringLiteral("cmdBeginFtpUpload"));
    m_cmdCancelFtpUpload->setObjectName(QStringLiteral("cmdCancelFtpUpload"));
    m_cmdCancelFtpUpload->setEnabled(false);
    m_cmdManageWebsite->setObjectName(QStringLiteral("cmdManageWebsite"));
    m_cmdManageWebsite->setToolTip(QStringLiteral("Launch you Favorite FTP Client Application."));
    m_cmdFtpSessionView->setObjectName(QStringLiteral("cmdFtpSessionView"));
    m_cmdFtpSessionView->setFixedWidth(32);
    // The buttons take the whole width, so their captions never depend on the columns above.
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdBeginFtpUpload);
    buttons->addWidget(m_cmdCancelFtpUpload);
    buttons->addWidget(m_cmdManageWebsite);
    buttons->addStretch();
    m_chkChangedOnly = new QCheckBox(QStringLiteral("Send only changed files"), this);
    m_chkChangedOnly->setObjectName(QStringLiteral("chkChangedOnly"));
    m_chkDeleteRemoved = new QCheckBox(QStringLiteral("Delete removed files"), this);
    m_chkDeleteRemoved->setObjectName(QStringLiteral("chkDeleteRemoved"));
    m_chkDeleteRemoved->setEnabled(false);
    // Only the manifest that "changed" keeps says which remote files the album sent.
    connect(m_chkChangedOnly, &QCheckBox::toggled, m_chkDeleteRemoved, &QWidget::setEnabled);
    m_spnConnections = new QSpinBox(this);
    m_spnConnections->setObjectName(QStringLiteral("spnConnections"));
    m_spnConnections->setRange(1, MaxConnections);
    m_spnConnections->setToolTip(
        QStringLiteral("How many files are sent at once, each over its own login. Some "
                       "servers accept only one login at a time; the upload then uses one."));
    auto *connectionsLabel = new QLabel(QStringLiteral("Connections:"), this);
    connectionsLabel->setObjectName(QStringLiteral("lblConnections"));
    connectionsLabel->setBuddy(m_spnConnections);
    auto *options = new QHBoxLayout;
    options->addWidget(m_chkChangedOnly);
    options->addWidget(m_chkDeleteRemoved);
    options->addStretch();
    options->addWidget(connectionsLabel);
    options->addWidget(m_spnConnections);
    grid->addLayout(options, 5, 0, 1, 3);
    grid->addLayout(buttons, 6, 0, 1, 3);

    m_lblFtpStatus->setObjectName(QStringLiteral("lblFtpStatus"));
    m_lblFtpStatus->setReadOnly(true);
    // Newest line first: long replies scroll sideways rather than push older lines down.
    m_lblFtpStatus->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_lblFtpStatus->setPlainText(StatusTranscript::Initial);
    m_lblFtpStatus->viewport()->installEventFilter(this);
    m_progress->setObjectName(QStringLiteral("ftpProgress"));
    m_progress->setTextVisible(true);
    // Under the status box, as wide as the box leaves it: showing it never moves a control.
    m_progress->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    QFont small = m_progress->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    m_progress->setFont(small);
    m_progress->hide();
    auto *statusColumn = new QVBoxLayout;
    statusColumn->setSpacing(2);
    statusColumn->addWidget(m_lblFtpStatus, 1);
    auto *statusRow = new QHBoxLayout;
    statusRow->addWidget(m_progress, 1);
    statusRow->addWidget(m_cmdFtpSessionView, 0, Qt::AlignRight);
    statusColumn->addLayout(statusRow);
    grid->addLayout(statusColumn, 0, 2, 5, 1);
    // The status lines get the larger share: the fields scroll, the status is read.
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(2, 5);

    connect(m_cmdBeginFtpUpload, &QPushButton::clicked, this, &FtpUploadPanel::beginClicked);
    connect(m_cmdCancelFtpUpload, &QPushButton::clicked, this, &FtpUploadPanel::cancelClicked);
    connect(m_cmdManageWebsite, &QPushButton::clicked, this, &FtpUploadPanel::manageWebsiteClicked);
    connect(m_cmdFtpSessionView, &QPushButton::clicked, this, &FtpUploadPanel::ShowFtpSessionLog);
}

QLineEdit *FtpUploadPanel::field(const char *name, const char *labelName, const QString &caption,
                                 int row)
{
    auto *label = new QLabel(caption, this);
    label->setObjectName(QLatin1String(labelName));
    auto *edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(name));
    auto *grid = static_cast<QGridLayout *>(layout());
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

void FtpUploadPanel::attach(UploadJob &job)
{
    connect(&job, &UploadJob::statusChanged, m_lblFtpStatus, &QPlainTextEdit::setPlainText);
    connect(&job, &UploadJob::controlsEnabled, this, [this](bool on) { setRunning(!on); });
    connect(&job, &UploadJob::progress, this,
            [this](int done, int total, qint64 bytes, qint64 size) {
                m_progress->setMaximum(std::max(total, 1));
                m_progress->setValue(done);
                // Short enough for the bar under the status box.
                const QString file =
                    size > 0 ? QStringLiteral(", %1/%2 KB").arg(bytes / 1024).arg(size / 1024)
                             : QString();
                m_progress->setFormat(QStringLiteral("%1/%2 files").arg(done).arg(total) + file);
            });
    m_lblFtpStatus->setPlainText(job.status().text());
}

void FtpUploadPanel::setSitePasswords(SitePasswords &passwords)
{
    m_passwords = &passwords;
    connect(&passwords, &SitePasswords::passwordsRead, this, &FtpUploadPanel::fillPasswords);
}

void FtpUploadPanel::fillPasswords()
{
    m_sites = m_passwords->known(m_sites);
    if (!m_txtSitePassword->text().isEmpty())
        return;
    const FtpSite current = site();
    for (const FtpSite &s : m_sites) {
        if (s.url == current.url && s.userName == current.userName) {
            m_txtSitePassword->setText(s.password);
            return;
        }
    }
}

void FtpUploadPanel::setRunning(bool running)
{
    m_cmdBeginFtpUpload->setEnabled(!running);
    m_cmdManageWebsite->setEnabled(!running);
    m_cmdCancelFtpUpload->setEnabled(running);
    m_progress->setVisible(running);
    if (running) {
        m_progress->setValue(0);
        m_progress->setFormat(QString());
    }
}

FtpSite FtpUploadPanel::site() const
{
    return {m_txtSiteUrl->currentText(),
            m_txtSiteUserName->text(),
            m_txtSitePassword->text(),
            m_txtSiteUrlPath->text(),
            m_txtFilePath->text(),
            {m_chkChangedOnly->isChecked(),
             m_chkChangedOnly->isChecked() && m_chkDeleteRemoved->isChecked()},
            TlsMode(m_cboSecurity->currentIndex()),
            m_spnConnections->value()};
}

void FtpUploadPanel::setSite(const FtpSite &site)
{
    m_txtSiteUrl->setCurrentText(site.url);
    m_txtSiteUserName->setText(site.userName);
    m_txtSitePassword->setText(site.password);
    m_txtSiteUrlPath->setText(site.urlPath);
    m_txtFilePath->setText(site.filePath);
    m_chkChangedOnly->setChecked(site.options.changedOnly);
    m_chkDeleteRemoved->setChecked(site.options.deleteRemoved);
    m_cboSecurity->setCurrentIndex(int(site.security));
    m_spnConnections->setValue(site.connections);
}

void FtpUploadPanel::setUrlPath(const QString &path)
{
    m_txtSiteUrlPath->setText(path);
}

void FtpUploadPanel::showSites(const FtpSiteMemory::Sites &sites)
{
    const FtpSite current = site();
    m_sites = sites;
    m_txtSiteUrl->blockSignals(true);
    m_txtSiteUrl->clear();
    for (const FtpSite &s : sites)
        m_txtSiteUrl->addItem(s.url);
    m_txtSiteUrl->blockSignals(false);
    setSite(current.url.isEmpty() ? sites[0] : current);
}

void FtpUploadPanel::LoadFtpSiteList()
{
    const FtpSiteMemory::Sites sites = FtpSiteMemory(m_store).LoadFtpSiteList();
    if (!m_passwords)
        return showSites(sites);
    m_passwords->load(sites);
    showSites(m_passwords->known(sites));
}

void FtpUploadPanel::LoadFtpSite(int slot)
{
    const FtpSite site = FtpSiteMemory(m_store).LoadFtpSite(slot);
    setSite(m_passwords ? m_passwords->known(site) : site);
}

void FtpUploadPanel::prepare(const RememberedPaths &paths)
{
    LoadFtpSiteList();
    if (m_txtSiteUrl->currentText().isEmpty())
        LoadFtpSite(1);
    m_txtFilePath->setText(UploadPlan::GeneratedPage(paths));
}

void FtpUploadPanel::pickSite(int index)
{
    if (index < 0 || index >= int(m_sites.size()) || m_sites[size_t(index)].url.isEmpty())
        return;
    const FtpSite &s = m_sites[size_t(index)];
    setSite({s.url, s.userName, s.password, s.urlPath, m_txtFilePath->text(), s.options, s.security,
             s.connections});
}

void FtpUploadPanel::ShowFtpSessionLog()
{
    frmFtpSession::ShowFtpSessionLog(this, m_txtSiteUrl->currentText(),
                                     m_lblFtpStatus->toPlainText());
}

bool FtpUploadPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_lblFtpStatus->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        ShowFtpSessionLog();
        return true;
    }
    return QGroupBox::eventFilter(watched, event);
}
