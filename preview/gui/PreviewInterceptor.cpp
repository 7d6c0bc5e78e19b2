#include "preview/gui/PreviewInterceptor.h"

#include <QFileInfo>

void PreviewInterceptor::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    const QUrl url = info.requestUrl();
    if (!url.isLocalFile() || QFileInfo::exists(url.toLocalFile()))
        return;
    const QString name = url.fileName();
    const QString source = m_sources.sourceFor(name);
    if (!source.isEmpty() && QFileInfo::exists(source)) {
        info.redirect(QUrl::fromLocalFile(source));
        return;
    }
    const QString why = m_sources.problemWith(name);
    if (!why.isEmpty())
        emit notShown(why);
}
