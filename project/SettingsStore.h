#pragma once

#include <QList>
#include <QSettings>
#include <QString>
#include <memory>
#include <optional>
#include <utility>

// The per-user store of options and remembered values: application "Lumora",
// section, key, text value. Every write reaches the disk at once.
class SettingsStore
{
public:
    static constexpr const char *Application = "Lumora";

    SettingsStore();

    QString Read(const QString &section, const QString &key, const QString &defaultText) const;
    void Write(const QString &section, const QString &key, const QString &text);
    // Writes keys that belong together with one save, so they reach the disk at once and
    // together.
    void Write(const QString &section, const QList<std::pair<QString, QString>> &values);
    // Reads a key by the boolean rule; a value that is no boolean gives the fallback.
    bool ReadBoolean(const QString &section, const QString &key, const QString &defaultText,
                     bool fallback) const;

    // "True"/"False" in any letter case, or a number (0 false, other numbers true).
    static std::optional<bool> ParseBoolean(const QString &text);
    static QString BooleanText(bool value);

    QString fileName() const { return m_fileName; }
    // Why the file is not used (a pipe or device stands there), or empty text; a refused
    // store reads the defaults and keeps nothing.
    QString refusal() const { return m_refusal; }

private:
    void keepPrivate();

    QString m_fileName;
    QString m_refusal;
    std::unique_ptr<QSettings> m_settings;
};
