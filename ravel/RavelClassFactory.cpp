#include "ravel/RavelClassFactory.h"

#include "ravel/CRavelCtrl.h"
#include "ravel/RavelPagesLibrary.h"
#include "ravel/RavelRegistry.h"

#include <QObject>
#include <atomic>
#include <vector>

namespace {

std::atomic<int> live{0};

QObject *newControl(const QString &, QObject *parent, QString *)
{
    return new CRavelCtrl(parent);
}

} // namespace

RavelClassFactory::RavelClassFactory(QString progId, Creator creator)
    : m_progId(std::move(progId)), m_creator(creator)
{
}

QObject *RavelClassFactory::createInstance(QObject *parent, QString *error)
{
    QObject *object = m_creator(m_progId, parent, error);
    if (object) {
        ++live;
        QObject::connect(object, &QObject::destroyed, [] { --live; });
    }
    return object;
}

RavelClassFactory *RavelClassFactory::forClass(const QString &name)
{
    static std::vector<RavelClassFactory> factories = [] {
        std::vector<RavelClassFactory> made;
        for (const RavelRegistry::ClassInfo &c : RavelRegistry::classes())
            made.emplace_back(c.progId, c.control ? &newControl : &RavelPagesLibrary::createPage);
        return made;
    }();
    const auto &classes = RavelRegistry::classes();
    for (size_t i = 0; i < classes.size(); ++i)
        if (classes[i].progId == name || classes[i].clsid == name)
            return &factories[i];
    return nullptr;
}

int RavelClassFactory::liveObjects()
{
    return live;
}
