#pragma once

#include "preview/PreviewSources.h"

#include <QWebEngineUrlRequestInterceptor>

// Shows a previewed album as the site will: a local file the page names that does not lie
// beside it is fetched from the file the album took it from.
class PreviewInterceptor : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT
public:
    explicit PreviewInterceptor(QObject *parent) : QWebEngineUrlRequestInterceptor(parent) {}
    void setSources(const PreviewSources &sources) { m_sources = sources; }
    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

signals:
    // A name the page uses that cannot be shown, and why.
    void notShown(const QString &why);

private:
    PreviewSources m_sources;
};
