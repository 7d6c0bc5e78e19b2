#pragma once

#include "project/SettingsStore.h"

#include <QList>

// What the main window keeps in the settings store between runs: the options and
// its position. Read once at start-up, written once at exit.
struct ShellSettings
{
    struct Entry
    {
        QString section;
        QString key;
        QString value;
        bool operator==(const Entry &) const = default;
    };

    // Where the tip-of-the-day choice is kept, as "True" or "False".
    static const QString Options;
    static const QString TipsKey;

    bool autoSpace = true;
    bool sounds = true;
    bool toolTips = true;
    bool voicePrompt = true;
    bool tipOfDay = true;
    // The window's top and left edges in twips.
    int top = 0;
    int left = 0;

    // The start-up keys: four options and the position. A value that is no boolean
    // counts as its default; a position that is no whole number counts as 0.
    static ShellSettings read(const SettingsStore &store);
    // The check mark of the tip-of-the-day option, as every activation reads it.
    static bool readTipOfDay(const SettingsStore &store);
    // The stored tip-of-the-day text as it is, or fallback when nothing is stored.
    static QString tipsText(const SettingsStore &store, const QString &fallback);
    // A stored edge: negative becomes 0, and so does anything that is not a number
    // within the range of an int.
    static int positionOf(const QString &text);

    // The exit keys, in the order they are written.
    QList<Entry> exitEntries() const;
    void write(SettingsStore &store) const;
};
