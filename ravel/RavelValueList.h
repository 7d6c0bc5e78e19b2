#pragma once

#include <QList>
#include <QString>
#include <optional>
#include <utility>

// The values a property browser offers for the enumerated properties (ProxyType, FileType),
// each with its display text.
class RavelValueList
{
public:
    using Entries = QList<std::pair<QString, int>>;

    // Empty for a property without a list.
    static Entries of(const QString &property);
    // The display text of a value; nullopt when the value is not in the list.
    static std::optional<QString> displayText(const QString &property, int value);
};
