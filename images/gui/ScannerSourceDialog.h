#pragma once

#include "images/ScannerDevice.h"

#include <QDialog>
#include <optional>

class QListWidget;

// "Select Source": the scanners and cameras found, the remembered one preselected.
class ScannerSourceDialog : public QDialog
{
    Q_OBJECT
public:
    ScannerSourceDialog(const ScannerDevices &devices, const QString &current,
                        QWidget *parent = nullptr);

    // The chosen device's name, or nothing when cancelled.
    static std::optional<QString> choose(const ScannerDevices &devices, const QString &current,
                                         QWidget *parent);

private:
    QListWidget *lstSources;
};
