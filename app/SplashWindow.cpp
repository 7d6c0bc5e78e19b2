#include "app/SplashWindow.h"

#include "core/AppText.h"
#include "shell/Artwork.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

SplashWindow::SplashWindow(QWidget *parent) : QWidget(parent, Qt::SplashScreen)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(AppText::AppTitle);
    setFocusPolicy(Qt::StrongFocus);

    animation1 = new QLabel(this);
    animation1->setObjectName(QStringLiteral("animation1"));
    animation1->setPixmap(QPixmap::fromImage(Artwork::splash()));
    animation1->installEventFilter(this);

    lblVersion = new QLabel(versionText(), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setAlignment(Qt::AlignRight);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 8, 4);
    layout->setSpacing(2);
    layout->addWidget(animation1);
    layout->addWidget(lblVersion);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(6000);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &SplashWindow::finish);
    Timer1->start();

    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QString SplashWindow::versionText()
{
    return QStringLiteral("Version " LUMORA_VERSION);
}

void SplashWindow::keyPressEvent(QKeyEvent *)
{
    finish();
}

bool SplashWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == animation1 && event->type() == QEvent::MouseButtonPress)
        finish();
    return QWidget::eventFilter(watched, event);
}

void SplashWindow::finish()
{
    if (m_done)
        return;
    m_done = true;
    Timer1->stop();
    close();
    emit finished();
}
