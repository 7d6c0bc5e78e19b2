#include "ravel/RavelDispatch.h"

#include "ravel/CRavelCtrl.h"

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

RavelDispatch::Result failed(const RavelError &error)
{
    return {{}, error, {}};
}

std::optional<RavelError> convertTo(QVariant &value, QMetaType type, bool byReference = false)
{
    if (type == QMetaType::fromType<QVariant>())
        return std::nullopt;
    if (!value.isValid() && byReference)
        value = QVariant(type);
    if (!value.isValid())
        return RavelError::argumentNotOptional();
    // A conversion would wrap a number beyond 32 bits into some value in range.
    if (type == QMetaType::fromType<int>() && value.typeId() != QMetaType::QString) {
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (ok && (number < INT_MIN || number > INT_MAX))
            return RavelError::make(RavelError::NumberOutOfRange, RavelError::TextOutOfRange);
    }
    // Booleans, numbers and texts convert among themselves; anything else is a mismatch.
    if (!value.convert(type))
        return RavelError::typeMismatch();
    return std::nullopt;
}

bool isReference(const QMetaMethod &method, int i)
{
    return method.parameterTypeName(i).endsWith('&');
}

// Qt knows no meta type for "QString&": take the referenced type's.
QMetaType parameterType(const QMetaMethod &method, int i)
{
    QByteArray name = method.parameterTypeName(i);
    if (name.endsWith('&'))
        name.chop(1);
    return QMetaType::fromName(name);
}

RavelDispatch::Result callMethod(CRavelCtrl &ctrl, const QMetaMethod &method,
                                 const QVariantList &args)
{
    constexpr int MaxArguments = 10;
    const int count = method.parameterCount();
    if (args.size() > count)
        return failed(RavelError::wrongArgumentCount());
    std::array<QVariant, MaxArguments> values;
    std::array<void *, MaxArguments + 1> argv{};
    for (int i = 0; i < count; ++i) {
        values[i] = i < args.size() ? args[i] : QVariant();
        const QMetaType type = parameterType(method, i);
        if (auto error = convertTo(values[i], type, isReference(method, i)))
            return failed(*error);
        const bool variant = type == QMetaType::fromType<QVariant>();
        argv[i + 1] = variant ? static_cast<void *>(&values[i]) : values[i].data();
    }
    QVariant result;
    if (method.returnMetaType().id() != QMetaType::Void) {
        result = QVariant(method.returnMetaType());
        argv[0] = result.data();
    }
    ctrl.qt_metacall(QMetaObject::InvokeMetaMethod, method.methodIndex(), argv.data());
    if (auto error = ctrl.takeError())
        return failed(*error);
    RavelDispatch::Result done{result, std::nullopt, {}};
    for (int i = 0; i < count; ++i)
        if (isReference(method, i))
            done.references << values[i];
    return done;
}

RavelDispatch::Result accessProperty(CRavelCtrl &ctrl, const QMetaProperty &property, int dispid,
                                     RavelDispatch::Kind kind, const QVariantList &args)
{
    if (kind != RavelDispatch::Kind::Put) {
        if (!args.isEmpty())
            return failed(RavelError::wrongArgumentCount());
        QVariant value = property.read(&ctrl);
        if (auto error = ctrl.takeError())
            return failed(*error);
        return {value, std::nullopt, {}};
    }
    if (args.size() != 1)
        return failed(RavelError::wrongArgumentCount());
    if (!property.isWritable())
        return failed(RavelError::readOnlyProperty());
    QVariant value = args.first();
    if (auto error = convertTo(value, property.metaType()))
        return failed(*error);
    property.write(&ctrl, value);
    if (auto error = ctrl.takeError())
        return failed(*error);
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
                                            const QVariantList &args)
{
    const QString name = nameOf(dispid);
    if (name.isEmpty())
        return failed(RavelError::unknownName(QStringLiteral("#%1").arg(dispid)));
    ctrl.takeError();
    const QMetaObject &meta = CRavelCtrl::staticMetaObject;
    const int propertyIndex = meta.indexOfProperty(name.toLatin1().constData());
    if (propertyIndex >= 0)
        return accessProperty(ctrl, meta.property(propertyIndex), dispid, kind, args);
    if (kind == Kind::Put)
        return failed(RavelError::unknownName(name));
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        if (method.methodType() == QMetaMethod::Method &&
            !(method.attributes() & QMetaMethod::Cloned) && method.name() == name.toLatin1())
            return callMethod(ctrl, method, args);
    }
    return failed(RavelError::unknownName(name));
}

RavelDispatch::Result RavelDispatch::invoke(CRavelCtrl &ctrl, const QString &name, Kind kind,
                                            const QVariantList &args)
{
    const std::optional<int> dispid = dispidOf(name);
    if (!dispid)
        return failed(RavelError::unknownName(name));
    return invoke(ctrl, *dispid, kind, args);
}
