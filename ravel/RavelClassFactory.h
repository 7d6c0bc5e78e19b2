#pragma once

#include <QString>

class QObject;

// Makes the objects of one of the component's classes. Hosts reach it through the library's
// exported RavelGetClassObject, so its only entry point is virtual.
class RavelClassFactory
{
public:
    using Creator = QObject *(*)(const QString &progId, QObject *parent, QString *error);

    RavelClassFactory(QString progId, Creator creator);
    virtual ~RavelClassFactory() = default;

    // The new object, or nullptr with `error` set.
    virtual QObject *createInstance(QObject *parent, QString *error);
    QString progId() const { return m_progId; }

    // The factory of a class named by ProgID or class id; nullptr for another class.
    static RavelClassFactory *forClass(const QString &name);
    // Objects made by the factories that still live; the library may go when there are none.
    static int liveObjects();

private:
    QString m_progId;
    Creator m_creator;
};
