#include "ravel/pages/RavelPropertyFrame.h"

#include "ravel/CRavelCtrl.h"
#include "ravel/pages/CRavelLoginPropPage.h"
#include "ravel/pages/CRavelMiscPropPage.h"
#include "ravel/pages/CRavelProxyPropPage.h"
#include "ravel/pages/CRavelSettingsPropPage.h"

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QMetaClassInfo>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

RavelPropertyFrame::RavelPropertyFrame(CRavelCtrl &ctrl, QWidget *parent) : QDialog(parent)
{
    const QMetaObject &meta = CRavelCtrl::staticMetaObject;
    setWindowTitle(QString::fromUtf8(meta.classInfo(meta.indexOfClassInfo("TypeName")).value()));
    setObjectName(QStringLiteral("RavelPropertyFrame"));
    m_tabs = new QTabWidget(this);
    m_pages = {new CRavelLoginPropPage, new CRavelSettingsPropPage, new CRavelProxyPropPage,
               new CRavelMiscPropPage};
    for (RavelPropertyPage *page : std::as_const(m_pages)) {
        m_tabs->addTab(page, page->caption());
        page->setControl(&ctrl);
        connect(page, &RavelPropertyPage::modifiedChanged, this, &RavelPropertyFrame::updateApply);
    }
    m_buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            &RavelPropertyFrame::applyPages);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    updateApply();
}

bool RavelPropertyFrame::applyPages()
{
    for (RavelPropertyPage *page : std::as_const(m_pages)) {
        if (page->apply())
            continue;
        const RavelPropertyPage::Refusal refused = *page->refusal();
        m_tabs->setCurrentWidget(page);
        QMessageBox::warning(this, windowTitle(), refused.text);
        refused.field->setFocus();
        return false;
    }
    return true;
}

void RavelPropertyFrame::accept()
{
    if (applyPages())
        QDialog::accept();
}

void RavelPropertyFrame::updateApply()
{
    bool modified = false;
    for (const RavelPropertyPage *page : std::as_const(m_pages))
        modified = modified || page->isModified();
    m_buttons->button(QDialogButtonBox::Apply)->setEnabled(modified);
}
