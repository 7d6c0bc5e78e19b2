#pragma once

#include "ravel/RavelPropertyBag.h"

#include <QStringList>
#include <vector>

class CRavelCtrl;

// The component's design-time settings as its host saves them with a document: a format
// version, the framework's extent, then the persisted properties in a fixed order. Loading
// writes the values straight into the properties, without the worker's jobs.
class RavelPersistence
{
public:
    static const QString FormatVersion;

    static RavelPropertyBag save(CRavelCtrl &ctrl);

    struct LoadResult
    {
        bool loaded = false;
        QString error;
        // Keys whose stored value was unusable and gave way to the default.
        QStringList defaulted;
    };
    // Keys that are missing take their defaults, as on a fresh component. A bag of another
    // format version changes nothing.
    static LoadResult load(CRavelCtrl &ctrl, const RavelPropertyBag &bag);
    static void resetToDefaults(CRavelCtrl &ctrl);
    static RavelPropertyBag defaults();

private:
    struct Field;
    static const std::vector<Field> &fields();
};
