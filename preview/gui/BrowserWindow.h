#pragma once

#include <QDialog>
#include <QUrl>

class Dialogs;
class PreviewInterceptor;
class PreviewSources;
class QLabel;
class QLineEdit;
class QPushButton;
class QWebEngineView;
class RememberedPaths;

// The browser window (frmBrowser): Back, Forward, Stop, Refresh, the address field and
// "..." above a web view. Used for the album preview and for the help page.
class BrowserWindow : public QDialog
{
    Q_OBJECT
public:
    static const QString Caption;
    // What the browser area leaves of the window, in twips.
    static constexpr int WidthMarginTwips = 230;
    static constexpr int HeightMarginTwips = 800;

    BrowserWindow(Dialogs &dialogs, RememberedPaths &paths, QWidget *parent = nullptr);

    // Opens a local file or an address and shows it in the address field.
    void navigateTo(const QString &fileOrAddress);
    QString address() const;
    // An existing local path opens that file; any other text is a web address.
    static QUrl urlFor(const QString &typed);
    // The album the shown pages belong to: names they use that do not lie beside them are
    // shown from these files.
    void setSources(const PreviewSources &sources);
    // What the window says about the page shown, below it; empty when all is well.
    QString status() const;
    QWebEngineView *view() const { return WebBrowser1; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void moveInHistory(bool forward);
    void addressEntered();
    void openAnother();
    void showAddress(const QUrl &url);
    void notShown(const QString &why);
    void placeStatus();

    Dialogs &m_dialogs;
    RememberedPaths &m_paths;
    bool m_followLoad = false;
    QPushButton *cmdBack;
    QPushButton *cmdForward;
    QPushButton *cmdStop;
    QPushButton *cmdRefresh;
    QLineEdit *txtURL;
    QPushButton *cmdPreview;
    QWidget *m_toolbar;
    QWebEngineView *WebBrowser1;
    PreviewInterceptor *m_interceptor;
    QLabel *lblStatus;
    QStringList m_notShown;
};
