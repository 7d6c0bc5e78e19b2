#include "ravel/RavelValueList.h"

RavelValueList::Entries RavelValueList::of(const QString &property)
{
    if (property == QLatin1String("ProxyType"))
        return {{QStringLiteral("0 - SITE HostName"), 0},
                {QStringLiteral("1 - Proxy OPEN"), 1},
                {QStringLiteral("2 - USER After Logon"), 2},
                {QStringLiteral("3 - USER Without Logon"), 3}};
    if (property == QLatin1String("FileType"))
        return {{QStringLiteral("0 - ASCII File"), 0}, {QStringLiteral("1 - Binary File"), 1}};
    return {};
}

std::optional<QString> RavelValueList::displayText(const QString &property, int value)
{
    for (const auto &[text, v] : of(property))
        if (v == value)
            return text;
    return std::nullopt;
}
