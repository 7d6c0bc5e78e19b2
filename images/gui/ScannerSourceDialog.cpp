#include "images/gui/ScannerSourceDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

ScannerSourceDialog::ScannerSourceDialog(const ScannerDevices &devices, const QString &current,
                                         QWidget *parent)
    : QDialog(parent), lstSources(new QListWidget(this))
{
    setObjectName(QStringLiteral("frmSelectSource"));
    setWindowTitle(QStringLiteral("Select Source"));
    lstSources->setObjectName(QStringLiteral("lstSources"));
    for (const ScannerDevice &device : devices) {
        auto *item = new QListWidgetItem(device.label(), lstSources);
        item->setData(Qt::UserRole, device.name);
        item->setToolTip(device.name);
        if (device.name == current || lstSources->count() == 1)
            lstSources->setCurrentItem(item);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(lstSources, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Sources:"), this));
    layout->addWidget(lstSources);
    layout->addWidget(buttons);
}

std::optional<QString> ScannerSourceDialog::choose(const ScannerDevices &devices,
                                                   const QString &current, QWidget *parent)
{
    ScannerSourceDialog dialog(devices, current, parent);
    if (dialog.exec() != QDialog::Accepted || !dialog.lstSources->currentItem())
        return std::nullopt;
    return dialog.lstSources->currentItem()->data(Qt::UserRole).toString();
}
