#pragma once

#include "ravel/RavelError.h"

#include <QString>
#include <optional>

class QObject;

// The component's window part (property pages, property frame, about box) lives in a library
// of its own that the component loads by name, so the component itself needs no widgets and
// a headless build simply has no such library.
class RavelPagesLibrary
{
public:
    static std::optional<RavelError> showPropertyFrame(QObject &control);
    static std::optional<RavelError> showAboutBox(QObject &control);
    static QObject *createPage(const QString &progId, QObject *parent, QString *error);
};
