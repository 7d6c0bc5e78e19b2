#include "RavelDispatch.h"

#include "CRavelCtrl.h"

#include <QHash>
#include <QMetaClassInfo>
#include <QMetaMethod>
#include <QMetaProperty>
#include <array>

namespace {

struct Table
{
    QHash<int, QString> names;
    QHash<QString, int> dispids;
    QHash<QString, QString> help;
};

const Table &table()
{
    static const Table built = [] {
        Table t;
        const QMetaObject &meta = CRavelCtrl::staticMetaObject;
        const QLatin1String dispidKey("DispId:");
        const QLatin1String helpKey("Help:");
        for (int i = meta.classInfoOffset(); i < meta.classInfoCount(); ++i) {
            const QString key = QString::fromLatin1(meta.classInfo(i).name());
            const QString value = QString::fromUtf8(meta.classInfo(i).value());
            if (key.startsWith(dispidKey)) {
                const QString name = key.mid(dispidKey.size());
                t.names.insert(value.toInt(), name);
                t.dispids.insert(name, value.toInt());
            } else if (key.startsWith(helpKey)) {
                t.help.insert(key.mid(helpKey.size()), value);
            }
        }
        return t;
    }();
    return built;
}

std::optional<RavelError> convertTo(QVariant &value, QMetaType type)
{
    if (type == QMetaType::fromType<QVariant>())
        return std::nullopt;
    if (!value.isValid())
        return RavelError(449, QStringLiteral("Argument not optional"));
    // Booleans, numbers and texts convert among themselves; anything else is a mismatch.
    if (!value.convert(type))
        return RavelError::typeMismatch();
    return std::nullopt;
}

RavelDispatch::Result callMethod(CRavelCtrl &ctrl, const QMetaMethod &method, QVariantList &args)
{
    constexpr int MaxArguments = 10;
    const int count = method.parameterCount();
    if (args.size() > count)
        return {{}, RavelError::wrongArgumentCount()};
    std::array<QVariant, MaxArguments> values;
    std::array<void *, MaxArguments + 1> argv{};
    for (int i = 0; i < count; ++i) {
        values[i] = i < args.size() ? args[i] : QVariant();
        if (auto error = convertTo(values[i], method.parameterMetaType(i)))
            return {{}, error};
        const bool variant = method.parameterMetaType(i) == QMetaType::fromType<QVariant>();
        argv[i + 1] = variant ? static_cast<void *>(&values[i]) : values[i].data();
    }
    QVariant result;
    if (method.returnMetaType().id() != QMetaType::Void) {
        result = QVariant(method.returnMetaType());
        argv[0] = result.data();
    }
    ctrl.qt_metacall(QMetaObject::InvokeMetaMethod, method.methodIndex(), argv.data());
    if (auto error = ctrl.takeError())
        return {{}, error};
    for (int i = 0; i < count; ++i) {
        if (method.parameterTypeName(i).endsWith('&')) {
            if (i >= args.size())
                args.resize(i + 1);
            args[i] = values[i];
        }
    }
    return {result, std::nullopt};
}

RavelDispatch::Result accessProperty(CRavelCtrl &ctrl, const QMetaProperty &property, int dispid,
                                     RavelDispatch::Kind kind, QVariantList &args)
{
    if (kind != RavelDispatch::Kind::Put) {
        if (!args.isEmpty())
            return {{}, RavelError::wrongArgumentCount()};
        QVariant value = property.read(&ctrl);
        if (auto error = ctrl.takeError())
            return {{}, error};
        return {value, std::nullopt};
    }
    if (args.size() != 1)
        return {{}, RavelError::wrongArgumentCount()};
    if (!property.isWritable())
        return {{}, RavelError::readOnlyProperty()};
    QVariant value = args.first();
    if (auto error = convertTo(value, property.metaType()))
        return {{}, error};
    property.write(&ctrl, value);
    if (auto error = ctrl.takeError())
        return {{}, error};
    ctrl.notifyPropertyChanged(dispid);
    return {};
}

} // namespace

std::optional<int> RavelDispatch::dispidOf(const QString &name)
{
    const auto it = table().dispids.constFind(name);
    if (it == table().dispids.constEnd())
        return std::nullopt;
    return *it;
}

QString RavelDispatch::nameOf(int dispid)
{
    return table().names.value(dispid);
}

QString RavelDispatch::helpOf(const QString &name)
{
    return table().help.value(name);
}

RavelDispatch::Result RavelDispatch::invoke(CRavelCtrl &ctrl, int dispid, Kind kind,
                                            QVariantList &args)
{
    const QString name = nameOf(dispid);
    if (name.isEmpty())
        return {{}, RavelError::unknownName(QStringLiteral("#%1").arg(dispid))};
    ctrl.takeError();
    const QMetaObject &meta = CRavelCtrl::staticMetaObject;
    const int propertyIndex = meta.indexOfProperty(name.toLatin1().constData());
    if (propertyIndex >= 0)
        return accessProperty(ctrl, meta.property(propertyIndex), dispid, kind, args);
    if (kind == Kind::Put)
        return {{}, RavelError::unknownName(name)};
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        if (method.methodType() == QMetaMethod::Method &&
            !(method.attributes() & QMetaMethod::Cloned) && method.name() == name.toLatin1())
            return callMethod(ctrl, method, args);
    }
    return {{}, RavelError::unknownName(name)};
}

RavelDispatch::Result RavelDispatch::invoke(CRavelCtrl &ctrl, const QString &name, Kind kind,
                                            QVariantList &args)
{
    const std::optional<int> dispid = dispidOf(name);
    if (!dispid)
        return {{}, RavelError::unknownName(name)};
    return invoke(ctrl, *dispid, kind, args);
}
