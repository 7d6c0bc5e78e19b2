#pragma once

#include <QList>
#include <QString>

// A scanner or camera as the scanner library names it.
struct ScannerDevice
{
    QString name;
    QString vendor;
    QString model;
    QString type;

    // "Vendor Model (type)", for the source chooser.
    QString label() const
    {
        return QStringLiteral("%1 %2 (%3)").arg(vendor, model, type.isEmpty() ? name : type);
    }
};

using ScannerDevices = QList<ScannerDevice>;
