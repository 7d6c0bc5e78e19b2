#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

// What the last fully confirmed upload left in the album's remote folder: for each remote
// name, the size and SHA-256 of what was sent. Text: "lumora-manifest 1", then one line a
// file, "SHA256 SIZE NAME" (the name last, since it may hold spaces).
class PublishManifest
{
public:
    static const QString RemoteName;
    // A manifest larger than this is not ours.
    static constexpr qint64 SizeBound = 16 << 20;

    struct Entry
    {
        qint64 size = 0;
        QByteArray sha256; // lower-case hex
        bool operator==(const Entry &) const = default;
    };

    // Nothing when the text is not a manifest of this version.
    static std::optional<PublishManifest> parse(const QByteArray &text);
    // Size and SHA-256 of a local file; nothing when it cannot be read whole.
    static std::optional<Entry> describe(const QString &localPath);

    void add(const QString &name, const Entry &entry) { m_entries.insert(name, entry); }
    std::optional<Entry> entry(const QString &name) const;
    QStringList names() const { return m_entries.keys(); }
    QByteArray text() const;

private:
    QMap<QString, Entry> m_entries;
};
