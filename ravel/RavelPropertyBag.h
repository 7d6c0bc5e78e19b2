#pragma once

#include <QList>
#include <QString>
#include <optional>
#include <utility>

// The component's saved settings as a host keeps them with its own document: text values
// under keys, in the order they were written. As a file, one "Key=value" line each.
class RavelPropertyBag
{
public:
    void write(const QString &key, const QString &value);
    std::optional<QString> read(const QString &key) const;
    QStringList keys() const;

    QString toText() const;
    // Nullopt when a line is not "Key=value" or holds a broken escape; `error` says which.
    static std::optional<RavelPropertyBag> fromText(const QString &text, QString *error);

    // Larger files are refused by loadFile(), as are FIFOs and devices.
    static constexpr qint64 MaxFileSize = 1024 * 1024;

    // The file is the owner's alone (mode 0600).
    bool saveFile(const QString &path, QString *error) const;
    static std::optional<RavelPropertyBag> loadFile(const QString &path, QString *error);

    bool operator==(const RavelPropertyBag &other) const = default;

private:
    QList<std::pair<QString, QString>> m_entries;
};
