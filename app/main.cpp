#include "app/SplashWindow.h"
#include "app/StartupDialogs.h"
#include "dialogs/gui/QtDialogs.h"
#include "shell/LumoraWebPageGen.h"

#include <QApplication>
#include <QCommandLineParser>
#include <unistd.h>

int main(int argc, char *argv[])
{
    // The browser engine refuses its sandbox as root (as in CI); only then run without it.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // The browser window's engine shares its GL context; this must precede the application.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumora"));
    // No display name: Qt would append it to every window title, and titles read as given.
    QApplication::setApplicationVersion(QStringLiteral(LUMORA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("lumorapage"));
    QCommandLineParser options;
    options.addHelpOption();
    options.addVersionOption();
    options.addPositionalArgument(QStringLiteral("project"),
                                  QStringLiteral("Lumora project (.lwp) to open at start."),
                                  QStringLiteral("[project]"));
    options.process(app);
    const QString project = options.positionalArguments().value(0);

    StartupDialogs<QtDialogs> dialogs;
    std::unique_ptr<LumoraWebPageGen> window;
    SplashWindow splash;
    QObject::connect(&splash, &SplashWindow::finished, [&] {
        window = std::make_unique<LumoraWebPageGen>(dialogs);
        dialogs.setParent(window.get());
        window->show();
        if (!project.isEmpty())
            dialogs.loadProject(*window, project);
    });
    splash.show();
    return QApplication::exec();
}
