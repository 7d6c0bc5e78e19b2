#include "ravel/RavelPagesLibrary.h"

#include "ravel/RavelPagesApi.h"
#include "ravel/RavelRegistry.h"

#include <QFileInfo>
#include <QLibrary>

namespace {

// Nullptr with `error` set when the window part is missing or lacks the entry point.
QFunctionPointer resolve(const char *symbol, QString *error)
{
#ifdef RAVEL_WITH_PAGES
    QLibrary library(QFileInfo(RavelRegistry::componentFile()).absolutePath() + QLatin1Char('/') +
                     QLatin1String(RavelPagesApi::LibraryName));
    if (const QFunctionPointer function = library.resolve(symbol))
        return function;
    *error = library.errorString();
#else
    Q_UNUSED(symbol)
    *error = RavelError::notInThisBuild().description();
#endif
    return nullptr;
}

std::optional<RavelError> show(const char *symbol, QObject &control)
{
#ifndef RAVEL_WITH_PAGES
    Q_UNUSED(symbol)
    Q_UNUSED(control)
    return RavelError::notInThisBuild();
#else
    QString error;
    const auto function = reinterpret_cast<RavelPagesShowFunction>(resolve(symbol, &error));
    if (!function)
        return RavelError::workerNotReady(error);
    const int number = function(&control, &error);
    if (number != 0)
        return RavelError(number, error);
    return std::nullopt;
#endif
}

} // namespace

std::optional<RavelError> RavelPagesLibrary::showPropertyFrame(QObject &control)
{
    return show(RavelPagesApi::ShowFrame, control);
}

std::optional<RavelError> RavelPagesLibrary::showAboutBox(QObject &control)
{
    return show(RavelPagesApi::ShowAbout, control);
}

QObject *RavelPagesLibrary::createPage(const QString &progId, QObject *parent, QString *error)
{
    const auto function =
        reinterpret_cast<RavelPagesCreateFunction>(resolve(RavelPagesApi::CreatePage, error));
    return function ? function(progId.toLatin1().constData(), parent, error) : nullptr;
}
