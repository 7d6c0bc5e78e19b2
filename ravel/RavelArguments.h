#pragma once

#include "ravel/RavelError.h"

#include <QFileInfo>
#include <QString>
#include <QVariant>
#include <optional>

// The checks of a call's arguments. A failed check leaves its error in the component's
// slot for raised errors and says so by its result.
class RavelArguments
{
public:
    explicit RavelArguments(std::optional<RavelError> &raised) : m_raised(raised) {}

    // Texts that go to the server must stay one command line.
    static bool safeOnWire(const QString &text);

    // True, with the error raised, when `value` lies outside low..high.
    bool outOfRange(int value, int low, int high);
    // A text for the server: neither empty nor more than one line.
    bool checkedText(const QString &text);
    // The file named by `given`, or by the property when the argument was left out.
    std::optional<QString> fileName(const QVariant &given, const QString &property);
    // LIST's folder: empty when left out.
    std::optional<QString> listPath(const QVariant &given);
    // Both files of a transfer; the properties take them only when both are valid.
    bool transferNames(const QVariant &local, const QVariant &remote, QString &localProperty,
                       QString &remoteProperty);
    std::optional<QFileInfo> existingLocalFile(const QVariant &given, const QString &property);

private:
    void raise(RavelError error) { m_raised = std::move(error); }

    std::optional<RavelError> &m_raised;
};
