// The window part's entry points, resolved by name by the component (RavelPagesApi.h).
#include "ravel/CRavelCtrl.h"
#include "ravel/RavelPagesApi.h"
#include "ravel/pages/CRavelLoginPropPage.h"
#include "ravel/pages/CRavelMiscPropPage.h"
#include "ravel/pages/CRavelProxyPropPage.h"
#include "ravel/pages/CRavelSettingsPropPage.h"
#include "ravel/pages/RavelAboutBox.h"
#include "ravel/pages/RavelPropertyFrame.h"

#include <QApplication>

namespace {

constexpr int NoWindows = 445;

// Widgets need a QApplication; a console host (lumora ravel) has none.
bool canShowWindows(QString *error)
{
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        return true;
    *error = QStringLiteral("Object doesn't support this action: the host has no windows");
    return false;
}

// The window that holds the component, else the one the user works in.
QWidget *hostWindow(QObject *control)
{
    if (auto *container = qobject_cast<QWidget *>(control->parent()))
        return container->window();
    return QApplication::activeWindow();
}

int runModal(QDialog &dialog, QObject *control)
{
    QWidget *container = qobject_cast<QWidget *>(control->parent());
    if (QWidget *owner = dialog.parentWidget()) {
        dialog.setLocale(owner->locale());
        const QPoint offset = container ? container->mapTo(owner, QPoint()) : QPoint();
        dialog.move(owner->geometry().topLeft() + offset);
    }
    dialog.exec();
    return 0;
}

} // namespace

extern "C" {

Q_DECL_EXPORT int RavelPagesShowPropertyFrame(QObject *control, QString *error)
{
    auto *ctrl = qobject_cast<CRavelCtrl *>(control);
    if (!ctrl || !canShowWindows(error))
        return NoWindows;
    RavelPropertyFrame frame(*ctrl, hostWindow(control));
    return runModal(frame, control);
}

Q_DECL_EXPORT int RavelPagesShowAboutBox(QObject *control, QString *error)
{
    if (!canShowWindows(error))
        return NoWindows;
    RavelAboutBox about(hostWindow(control));
    return runModal(about, control);
}

Q_DECL_EXPORT QObject *RavelPagesCreatePage(const char *progId, QObject *parent, QString *error)
{
    if (!canShowWindows(error))
        return nullptr;
    const QString name = QString::fromLatin1(progId);
    QWidget *parentWidget = qobject_cast<QWidget *>(parent);
    if (name == QLatin1String("Ravel.CRavelLoginPropPage.1"))
        return new CRavelLoginPropPage(parentWidget);
    if (name == QLatin1String("Ravel.CRavelSettingsPropPage.1"))
        return new CRavelSettingsPropPage(parentWidget);
    if (name == QLatin1String("Ravel.CRavelProxyPropPage.1"))
        return new CRavelProxyPropPage(parentWidget);
    if (name == QLatin1String("Ravel.CRavelMiscPropPage.1"))
        return new CRavelMiscPropPage(parentWidget);
    *error = QStringLiteral("No property page %1").arg(name);
    return nullptr;
}
}
