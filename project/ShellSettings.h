#pragma once

#include "SettingsStore.h"

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
    // A stored edge: negative becomes 0, and so does anything that is not a number
    // within the range of an int.
    static int positionOf(const QString &text);

    // The exit keys, in the order they are written.
    QList<Entry> exitEntries() const;
    void write(SettingsStore &store) const;
};
