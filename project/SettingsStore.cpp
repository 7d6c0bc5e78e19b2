#include "project/SettingsStore.h"

#include "core/ErrorInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

SettingsStore::SettingsStore()
    : m_fileName(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                 QStringLiteral("/%1/%1.ini").arg(QLatin1String(Application)))
{
    // QSettings reads its file as it is made: a pipe there would hold the program for ever.
    if (const std::optional<ErrorInfo> special = ErrorInfo::specialFile(m_fileName)) {
        m_refusal = QStringLiteral("Settings not read or kept: %1").arg(special->description);
        return;
    }
    m_settings =
        std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                    QLatin1String(Application), QLatin1String(Application));
    // A store left readable by others is made private as soon as it is opened.
    if (QFileInfo::exists(m_fileName))
        keepPrivate();
}

QString SettingsStore::Read(const QString &section, const QString &key,
                            const QString &defaultText) const
{
    if (!m_settings)
        return defaultText;
    m_settings->sync();
    const QVariant value = m_settings->value(section + QLatin1Char('/') + key);
    return value.isValid() ? value.toString() : defaultText;
}

void SettingsStore::Write(const QString &section, const QString &key, const QString &text)
{
    Write(section, {{key, text}});
}

void SettingsStore::Write(const QString &section, const QList<std::pair<QString, QString>> &values)
{
    if (!m_settings)
        return;
    keepPrivate();
    for (const auto &[key, text] : values)
        m_settings->setValue(section + QLatin1Char('/') + key, text);
    m_settings->sync();
}

// The store holds FTP passwords: readable by its owner only, whatever it was before. The file
// is made private before a value goes in; later saves keep its rights.
void SettingsStore::keepPrivate()
{
    const QString &path = m_fileName;
    if (!QFileInfo::exists(path)) {
        QDir().mkpath(QFileInfo(path).path());
        QFile created(path);
        if (!created.open(QIODevice::WriteOnly))
            return; // the write that follows fails the same way
    }
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

bool SettingsStore::ReadBoolean(const QString &section, const QString &key,
                                const QString &defaultText, bool fallback) const
{
    return ParseBoolean(Read(section, key, defaultText)).value_or(fallback);
}

std::optional<bool> SettingsStore::ParseBoolean(const QString &text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double number = t.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return number != 0.0;
}

QString SettingsStore::BooleanText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}
