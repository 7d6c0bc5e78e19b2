#include "shell/frmTip.h"

#include "project/SettingsStore.h"
#include "project/ShellSettings.h"
#include "shell/TipList.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStyle>

frmTip::frmTip(SettingsStore &store, QWidget *parent)
    : QDialog(parent), m_store(store), m_lblTipText(new QLabel(this)),
      m_chkLoadTipsAtStartup(new QCheckBox(tr("&Show Tips at Startup"), this))
{
    setObjectName(QStringLiteral("frmTip"));
    setWindowTitle(tr("Lumora Tip of the Day"));

    auto *picture = new QLabel(this);
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48, 48));
    auto *heading = new QLabel(tr("Did you know..."), this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    heading->setFont(headingFont);
    m_lblTipText->setObjectName(QStringLiteral("lblTipText"));
    m_lblTipText->setWordWrap(true);
    m_lblTipText->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_lblTipText->setMinimumSize(360, 140);
    m_lblTipText->setFrameShape(QFrame::StyledPanel);
    m_lblTipText->setMargin(8);
    m_chkLoadTipsAtStartup->setObjectName(QStringLiteral("chkLoadTipsAtStartup"));
    auto *cmdNextTip = new QPushButton(tr("&Next Tip"), this);
    cmdNextTip->setObjectName(QStringLiteral("cmdNextTip"));
    auto *cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);

    auto *layout = new QGridLayout(this);
    layout->addWidget(picture, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(heading, 0, 1);
    layout->addWidget(m_lblTipText, 1, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdNextTip);
    buttons->addStretch();
    layout->addLayout(buttons, 0, 2, 2, 1);
    layout->addWidget(m_chkLoadTipsAtStartup, 2, 0, 1, 3);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdNextTip, &QPushButton::clicked, this, &frmTip::ShowRandomTip);
    connect(m_chkLoadTipsAtStartup, &QCheckBox::clicked, this, [this](bool checked) {
        m_store.Write(ShellSettings::Options, ShellSettings::TipsKey,
                      SettingsStore::BooleanText(checked));
    });
}

void frmTip::run()
{
    if (ShellSettings::tipsText(m_store, QStringLiteral("True")) == QLatin1String("False"))
        return;
    m_chkLoadTipsAtStartup->setChecked(true);
    LoadTips();
    exec();
}

bool frmTip::LoadTips()
{
    m_tips = TipList::builtIn();
    ShowRandomTip();
    return true;
}

void frmTip::ShowRandomTip()
{
    m_current =
        TipList::randomIndex(int(m_tips.size()), QRandomGenerator::global()->generateDouble());
    DisplayCurrentTip();
}

void frmTip::DisplayCurrentTip()
{
    if (m_current >= 1 && m_current <= m_tips.size())
        m_lblTipText->setText(m_tips[m_current - 1]);
}
