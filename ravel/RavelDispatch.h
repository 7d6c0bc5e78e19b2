#pragma once

#include "ravel/RavelError.h"

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <optional>

class CRavelCtrl;

// Late binding of the component: every published property and method by DISPID or by name,
// arguments as QVariants (an invalid QVariant is a missing optional argument). The table is
// read from the component's class information, so names and DISPIDs are stated once.
class RavelDispatch
{
public:
    enum class Kind
    {
        Get,
        Put,
        Call
    };

    struct Result
    {
        QVariant value;
        std::optional<RavelError> error;
        // The values of the arguments taken by reference, after the call, in order.
        QVariantList references;
    };

    static std::optional<int> dispidOf(const QString &name);
    static QString nameOf(int dispid);
    // The help string of a property, method, event or enumeration constant.
    static QString helpOf(const QString &name);

    // Put takes the new value as its one argument. A missing argument taken by reference
    // starts out empty.
    static Result invoke(CRavelCtrl &ctrl, int dispid, Kind kind, const QVariantList &args);
    static Result invoke(CRavelCtrl &ctrl, const QString &name, Kind kind,
                         const QVariantList &args);
};
