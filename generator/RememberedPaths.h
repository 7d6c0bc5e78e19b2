#pragma once

#include <QString>
#include <array>

// Last-used path of each file dialog, pre-filled into the dialog's file name.
class RememberedPaths
{
public:
    // In the order the project file stores them: "midi", "lwp", "genhtml",
    // "prevhtml", "linkback", "mainback".
    enum Key
    {
        Midi,
        Lwp,
        GenHtml,
        PrevHtml,
        LinkBack,
        MainBack,
        KeyCount
    };

    static QString keyName(Key key);

    RememberedPaths() = default;
    explicit RememberedPaths(const QString &appFolder) { reset(appFolder); }

    // The start-up values: the program folder followed by each dialog's pattern.
    void reset(const QString &appFolder);
    QString value(Key key) const { return m_values[key]; }
    void replace(Key key, const QString &path) { m_values[key] = path; }

    bool operator==(const RememberedPaths &) const = default;

private:
    std::array<QString, KeyCount> m_values;
};
