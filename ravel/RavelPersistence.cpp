#include "ravel/RavelPersistence.h"

#include "ravel/CRavelCtrl.h"

#include <variant>

const QString RavelPersistence::FormatVersion = QStringLiteral("1.0");

namespace {
// The design-time size, 32 by 32 pixels at 96 per inch, in hundredths of a millimetre.
const QString Extent = QStringLiteral("847");

QString boolText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

std::optional<bool> parseBool(const QString &text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 || t == QLatin1String("1") ||
        t == QLatin1String("-1"))
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0 || t == QLatin1String("0"))
        return false;
    return std::nullopt;
}
} // namespace

struct RavelPersistence::Field
{
    QString key;
    std::variant<QString CRavelCtrl::*, int CRavelCtrl::*, bool CRavelCtrl::*> member;
    QString defaultText;
    // What the property itself accepts; a stored number outside it is not taken.
    int low = 0;
    int high = 0;
};

const std::vector<RavelPersistence::Field> &RavelPersistence::fields()
{
    static const std::vector<Field> table = {
        {QStringLiteral("UserName"), &CRavelCtrl::m_UserName, QStringLiteral("anonymous")},
        {QStringLiteral("PassWord"), &CRavelCtrl::m_PassWord, QStringLiteral("guest@example.com")},
        {QStringLiteral("RemoteHost"), &CRavelCtrl::m_RemoteHost,
         QStringLiteral("ftp.example.com")},
        {QStringLiteral("ProxyUserID"), &CRavelCtrl::m_ProxyUserID, {}},
        {QStringLiteral("ProxyHost"), &CRavelCtrl::m_ProxyHost, {}},
        {QStringLiteral("InitDir"), &CRavelCtrl::m_InitDir, {}},
        {QStringLiteral("LocalFile"), &CRavelCtrl::m_LocalFile, {}},
        {QStringLiteral("RemoteFile"), &CRavelCtrl::m_RemoteFile, {}},
        {QStringLiteral("ProxyPassWd"), &CRavelCtrl::m_ProxyPassWd, {}},
        {QStringLiteral("LogFileName"), &CRavelCtrl::m_LogFileName, QStringLiteral("RavelLog.log")},
        {QStringLiteral("Port"), &CRavelCtrl::m_Port, QStringLiteral("21"), 0, 32768},
        {QStringLiteral("ProxyPort"), &CRavelCtrl::m_ProxyPort, QStringLiteral("2323"), 0, 32768},
        {QStringLiteral("TimeOut"), &CRavelCtrl::m_TimeOut, QStringLiteral("30"), 0, 32767},
        {QStringLiteral("FileType"), &CRavelCtrl::m_FileType, QStringLiteral("1"), 0, 1},
        {QStringLiteral("ProxyType"), &CRavelCtrl::m_ProxyType, QStringLiteral("0"), 0, 3},
        {QStringLiteral("Passive"), &CRavelCtrl::m_Passive, QStringLiteral("False")},
        {QStringLiteral("UseProxy"), &CRavelCtrl::m_UseProxy, QStringLiteral("False")},
        {QStringLiteral("AsyncMode"), &CRavelCtrl::m_AsyncMode, QStringLiteral("True")},
        {QStringLiteral("LongDirs"), &CRavelCtrl::m_LongDirs, QStringLiteral("True")},
        {QStringLiteral("VerboseMode"), &CRavelCtrl::m_VerboseMode, QStringLiteral("True")},
        {QStringLiteral("AppendToFile"), &CRavelCtrl::m_AppendToFile, QStringLiteral("False")},
        {QStringLiteral("LogToFile"), &CRavelCtrl::m_LogToFile, QStringLiteral("False")},
        {QStringLiteral("Security"), &CRavelCtrl::m_Security, QStringLiteral("0"), 0, 2},
        {QStringLiteral("TrustedFingerprint"), &CRavelCtrl::m_TrustedFingerprint, {}},
        {QStringLiteral("CaFile"), &CRavelCtrl::m_CaFile, {}},
    };
    return table;
}

RavelPropertyBag RavelPersistence::save(CRavelCtrl &ctrl)
{
    RavelPropertyBag bag;
    bag.write(QStringLiteral("_Version"), FormatVersion);
    bag.write(QStringLiteral("_ExtentX"), Extent);
    bag.write(QStringLiteral("_ExtentY"), Extent);
    for (const Field &f : fields()) {
        std::visit(
            [&](auto member) {
                const auto &value = ctrl.*member;
                using T = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<T, QString>)
                    bag.write(f.key, value);
                else if constexpr (std::is_same_v<T, bool>)
                    bag.write(f.key, boolText(value));
                else
                    bag.write(f.key, QString::number(value));
            },
            f.member);
    }
    ctrl.setModified(false);
    return bag;
}

RavelPersistence::LoadResult RavelPersistence::load(CRavelCtrl &ctrl, const RavelPropertyBag &bag)
{
    LoadResult result;
    const QString version = bag.read(QStringLiteral("_Version")).value_or(FormatVersion);
    if (version != FormatVersion) {
        result.error = QStringLiteral("unknown format version %1").arg(version);
        return result;
    }
    for (const Field &f : fields()) {
        const std::optional<QString> stored = bag.read(f.key);
        bool usable = true;
        std::visit(
            [&](auto member) {
                auto &target = ctrl.*member;
                using T = std::decay_t<decltype(target)>;
                const QString text = stored.value_or(f.defaultText);
                if constexpr (std::is_same_v<T, QString>) {
                    target = text;
                } else if constexpr (std::is_same_v<T, bool>) {
                    const std::optional<bool> value = parseBool(text);
                    usable = value.has_value();
                    target = value.value_or(*parseBool(f.defaultText));
                } else {
                    bool ok = false;
                    const qlonglong value = text.trimmed().toLongLong(&ok);
                    usable = ok && value >= f.low && value <= f.high;
                    target = usable ? int(value) : f.defaultText.toInt();
                }
            },
            f.member);
        if (!usable)
            result.defaulted << f.key;
    }
    ctrl.setModified(false);
    ctrl.updateWorkerSettings();
    result.loaded = true;
    return result;
}

void RavelPersistence::resetToDefaults(CRavelCtrl &ctrl)
{
    load(ctrl, RavelPropertyBag());
}

RavelPropertyBag RavelPersistence::defaults()
{
    RavelPropertyBag bag;
    bag.write(QStringLiteral("_Version"), FormatVersion);
    bag.write(QStringLiteral("_ExtentX"), Extent);
    bag.write(QStringLiteral("_ExtentY"), Extent);
    for (const Field &f : fields())
        bag.write(f.key, f.defaultText);
    return bag;
}
