#include "shell/frmAbout.h"

#include "core/AppText.h"
#include "core/Dialogs.h"
#include "shell/SystemInfo.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStyle>

namespace {
// The description has always ended its lines with LF CR.
const QString AboutBreak = QStringLiteral("\n\r");
} // namespace

QString frmAbout::description()
{
    return QLatin1String("Welcome to ") + AppText::AppTitle + AboutBreak +
           QLatin1String("This software is designed to Generate the HTML Web Pages to display a "
                         "set of Digital Camera Images you have added to the Image List. The "
                         "Generated HTML Files along with the selected Images can be uploaded to "
                         "your web site or used from a local hard drive.") +
           AboutBreak + AboutBreak.repeated(5) +
           QLatin1String("NOTE:  File Names containing Spaces or Apostrophes are not compatible "
                         "with Internet Web Pages.") +
           AboutBreak;
}

frmAbout::frmAbout(Dialogs &dialogs, QWidget *parent) : QDialog(parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QString());

    auto *picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(QApplication::windowIcon().isNull()
                           ? style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48)
                           : QApplication::windowIcon().pixmap(48, 48));
    auto *lblTitle = new QLabel(AppText::AppTitle, this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    lblTitle->setFont(titleFont);
    auto *lblVersion = new QLabel(AppText::ProgramVersionLine(), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    // The label would draw each CR of the LF CR breaks as a blank.
    auto *lblDescription = new QLabel(description().remove(QLatin1Char('\r')), this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setWordWrap(true);
    lblDescription->setMinimumWidth(420);
    auto *txtWebSite = new QLineEdit(QLatin1String("WEB: ") + AppText::ProductWebAddress +
                                         QLatin1String("   E-Mail: ") + AppText::ContactEmail,
                                     this);
    txtWebSite->setObjectName(QStringLiteral("txtWebSite"));
    txtWebSite->setReadOnly(true);
    auto *cmdOK = new QPushButton(tr("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto *cmdSysInfo = new QPushButton(tr("&System Info"), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    auto *cmdHelp = new QPushButton(tr("More &Help"), this);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));

    auto *layout = new QGridLayout(this);
    layout->addWidget(picIcon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(lblTitle, 0, 1);
    layout->addWidget(lblVersion, 1, 1);
    layout->addWidget(lblDescription, 2, 1);
    layout->addWidget(txtWebSite, 3, 0, 1, 2);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    buttons->addWidget(cmdHelp);
    buttons->addStretch();
    layout->addLayout(buttons, 0, 2, 4, 1);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);
    connect(cmdHelp, &QPushButton::clicked, this, &frmAbout::helpRequested);
}

void frmAbout::StartSysInfo()
{
    const QString tool = SystemInfo::findTool();
    if (tool.isEmpty() || !QProcess::startDetached(tool, {}))
        m_dialogs.message(QStringLiteral("System Information Is Unavailable At This Time"));
}
