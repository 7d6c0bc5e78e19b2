#include "shell/ComponentHost.h"

#include "core/AppText.h"
#include "core/Dialogs.h"
#include "ravel/RavelRegistry.h"

#include <QMetaClassInfo>

std::unique_ptr<CRavelCtrl> ComponentHost::create(Dialogs &dialogs)
{
    const QMetaObject &meta = CRavelCtrl::staticMetaObject;
    const QString progId =
        QString::fromLatin1(meta.classInfo(meta.indexOfClassInfo("ProgID")).value());
    QString error;
    const qint32 registered = RavelRegistry::ensureRegistered();
    std::unique_ptr<QObject> made(RavelRegistry::createObject(progId, nullptr, &error));
    if (auto *control = qobject_cast<CRavelCtrl *>(made.get())) {
        made.release();
        return std::unique_ptr<CRavelCtrl>(control);
    }
    if (error.isEmpty())
        error = QStringLiteral("%1 is not the FTP component").arg(progId);
    if (registered != RavelRegistry::Ok)
        error += QStringLiteral(" (registering in %1 failed)").arg(RavelRegistry::fileName());
    dialogs.message(QStringLiteral("The FTP component could not be created by its ProgID:\r\n") +
                        error,
                    AppText::AppTitle, Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
    return std::make_unique<CRavelCtrl>();
}
