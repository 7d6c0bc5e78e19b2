#include "preview/gui/BrowserWindow.h"

#include "core/Twips.h"
#include "preview/PreviewFileChoice.h"
#include "preview/gui/PreviewInterceptor.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>

const QString BrowserWindow::Caption = QStringLiteral("Lumora Web Page Preview");

namespace {
constexpr int LeftTwips = 115;
constexpr int ToolbarTopTwips = 90;
constexpr int BrowserTopTwips = 600;
constexpr int AddressWidthTwips = 6000;
constexpr int PreviewButtonTwips = 450;

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}
} // namespace

BrowserWindow::BrowserWindow(Dialogs &dialogs, RememberedPaths &paths, QWidget *parent)
    : QDialog(parent), m_dialogs(dialogs), m_paths(paths), m_toolbar(new QWidget(this)),
      WebBrowser1(new QWebEngineView(this)), m_interceptor(new PreviewInterceptor(this)),
      lblStatus(new QLabel(this))
{
    setObjectName(QStringLiteral("frmBrowser"));
    setWindowTitle(Caption);
    setSizeGripEnabled(true);
    cmdBack = button(m_toolbar, "cmdBack", QStringLiteral("&Back"));
    cmdForward = button(m_toolbar, "cmdForward", QStringLiteral("&Forward"));
    cmdStop = button(m_toolbar, "cmdStop", QStringLiteral("&Stop"));
    cmdRefresh = button(m_toolbar, "cmdRefresh", QStringLiteral("&Refresh"));
    txtURL = new QLineEdit(m_toolbar);
    txtURL->setObjectName(QStringLiteral("txtURL"));
    txtURL->setFixedWidth(Twips::toPixelsX(AddressWidthTwips));
    cmdPreview = button(m_toolbar, "cmdPreview", QStringLiteral("..."));
    cmdPreview->setFixedWidth(Twips::toPixelsX(PreviewButtonTwips));
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->page()->setUrlRequestInterceptor(m_interceptor);
    // A bubble over the foot of the browser area, shown only when there is something to say.
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setWordWrap(true);
    lblStatus->setAutoFillBackground(true);
    lblStatus->setFrameShape(QFrame::StyledPanel);
    lblStatus->setMargin(4);
    lblStatus->hide();

    auto *row = new QHBoxLayout(m_toolbar);
    row->setContentsMargins(0, 0, 0, 0);
    for (QWidget *w : std::initializer_list<QWidget *>{cmdBack, cmdForward, cmdStop, cmdRefresh,
                                                       txtURL, cmdPreview})
        row->addWidget(w);
    m_toolbar->adjustSize();
    m_toolbar->move(Twips::toPixelsX(LeftTwips), Twips::toPixelsY(ToolbarTopTwips));

    connect(cmdBack, &QPushButton::clicked, this, [this] { moveInHistory(false); });
    connect(cmdForward, &QPushButton::clicked, this, [this] { moveInHistory(true); });
    connect(cmdStop, &QPushButton::clicked, WebBrowser1, &QWebEngineView::stop);
    connect(cmdRefresh, &QPushButton::clicked, WebBrowser1, &QWebEngineView::reload);
    connect(txtURL, &QLineEdit::returnPressed, this, &BrowserWindow::addressEntered);
    connect(cmdPreview, &QPushButton::clicked, this, &BrowserWindow::openAnother);
    connect(m_interceptor, &PreviewInterceptor::notShown, this, &BrowserWindow::notShown);
    connect(WebBrowser1, &QWebEngineView::loadStarted, this, [this] {
        m_notShown.clear();
        lblStatus->hide();
    });
    connect(WebBrowser1, &QWebEngineView::loadFinished, this, [this] {
        if (std::exchange(m_followLoad, false))
            showAddress(WebBrowser1->url());
    });
    resize(m_toolbar->width() + Twips::toPixelsX(2 * LeftTwips), Twips::toPixelsY(8400));
}

void BrowserWindow::navigateTo(const QString &fileOrAddress)
{
    WebBrowser1->load(urlFor(fileOrAddress));
    txtURL->setText(fileOrAddress);
}

QUrl BrowserWindow::urlFor(const QString &typed)
{
    const QString text = typed.trimmed();
    const QFileInfo local(text);
    if (!text.isEmpty() && local.exists())
        return QUrl::fromLocalFile(local.absoluteFilePath());
    // "example.com" becomes http://example.com; an absolute path that does not exist stays a
    // file, whose error page the engine shows.
    return QUrl::fromUserInput(text);
}

void BrowserWindow::setSources(const PreviewSources &sources)
{
    m_interceptor->setSources(sources);
}

QString BrowserWindow::status() const
{
    return lblStatus->isHidden() ? QString() : lblStatus->text();
}

void BrowserWindow::notShown(const QString &why)
{
    if (m_notShown.contains(why))
        return;
    m_notShown << why;
    lblStatus->setText(m_notShown.join(QLatin1Char('\n')));
    lblStatus->show();
    placeStatus();
}

QString BrowserWindow::address() const
{
    return txtURL->text();
}

void BrowserWindow::showAddress(const QUrl &url)
{
    txtURL->setText(url.isLocalFile() ? url.toLocalFile() : url.toString());
}

void BrowserWindow::moveInHistory(bool forward)
{
    QWebEngineHistory *history = WebBrowser1->history();
    if (forward ? !history->canGoForward() : !history->canGoBack())
        return;
    const QUrl target = (forward ? history->forwardItem() : history->backItem()).url();
    if (forward)
        history->forward();
    else
        history->back();
    // The load may take a while: the address follows once more when it ends.
    showAddress(target);
    m_followLoad = true;
}

void BrowserWindow::addressEntered()
{
    WebBrowser1->load(urlFor(txtURL->text()));
}

void BrowserWindow::openAnother()
{
    const std::optional<QString> file =
        PreviewFileChoice::choose(m_dialogs, m_paths, m_paths.value(RememberedPaths::PrevHtml));
    if (file)
        navigateTo(*file);
}

void BrowserWindow::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    const int w = std::max(0, width() - Twips::toPixelsX(WidthMarginTwips));
    const int h = std::max(0, height() - Twips::toPixelsY(HeightMarginTwips));
    WebBrowser1->setGeometry(Twips::toPixelsX(LeftTwips), Twips::toPixelsY(BrowserTopTwips), w, h);
    placeStatus();
}

void BrowserWindow::placeStatus()
{
    const QRect area = WebBrowser1->geometry();
    const int height = std::min(area.height(), lblStatus->heightForWidth(area.width()));
    lblStatus->setGeometry(area.left(), area.bottom() + 1 - height, area.width(), height);
    lblStatus->raise();
}
