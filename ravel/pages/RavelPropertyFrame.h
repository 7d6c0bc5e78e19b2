#pragma once

#include <QDialog>
#include <QList>

class CRavelCtrl;
class QAbstractButton;
class QDialogButtonBox;
class QTabWidget;
class RavelPropertyPage;

// The modal frame that shows the component's four property pages, titled with its type name.
// OK and Apply write the pages that wait for them; a refused value keeps the frame open on
// its field and says why.
class RavelPropertyFrame : public QDialog
{
    Q_OBJECT

public:
    explicit RavelPropertyFrame(CRavelCtrl &ctrl, QWidget *parent = nullptr);

    QList<RavelPropertyPage *> pages() const { return m_pages; }
    // Applies every page; false (after telling the user) when a value was refused.
    bool applyPages();

    void accept() override;

private:
    void updateApply();

    QTabWidget *m_tabs;
    QDialogButtonBox *m_buttons;
    QList<RavelPropertyPage *> m_pages;
};
