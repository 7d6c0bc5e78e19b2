#include "upload/gui/frmFtpSession.h"

#include "core/Twips.h"

#include <QPlainTextEdit>
#include <QResizeEvent>

namespace {
constexpr int WidthMargin = 105;
constexpr int HeightMargin = 400;
} // namespace

frmFtpSession::frmFtpSession(QWidget *parent)
    : QDialog(parent), m_txtSessionLog(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("frmFtpSession"));
    setWindowTitle(QStringLiteral("FTP Session Log"));
    m_txtSessionLog->setObjectName(QStringLiteral("txtSessionLog"));
    m_txtSessionLog->setReadOnly(true);
    m_txtSessionLog->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_txtSessionLog->move(0, 0);
    resize(640, 420);
}

void frmFtpSession::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    // The box follows the window; a window smaller than the margins leaves it as it was.
    const QSize outer = frameGeometry().size();
    const int w = outer.width() - Twips::toPixelsX(WidthMargin);
    const int h = outer.height() - Twips::toPixelsY(HeightMargin);
    if (w > 0 && h > 0)
        m_txtSessionLog->resize(w, h);
}

void frmFtpSession::ShowFtpSessionLog(QWidget *parent, const QString &url,
                                      const QString &transcript,
                                      const std::function<void(frmFtpSession &)> &shown)
{
    frmFtpSession window(parent);
    window.setWindowTitle(window.windowTitle() + QLatin1String(" for ") + url);
    window.m_txtSessionLog->setPlainText(transcript);
    if (shown)
        QMetaObject::invokeMethod(
            &window, [&] { shown(window); }, Qt::QueuedConnection);
    window.exec();
}
