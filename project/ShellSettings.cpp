#include "project/ShellSettings.h"

#include <QLocale>
#include <cmath>
#include <limits>

const QString ShellSettings::Options = QStringLiteral("Options");
const QString ShellSettings::TipsKey = QStringLiteral("Show Tips at Startup");

namespace {
const QString &Options = ShellSettings::Options;
const QString Form = QStringLiteral("form");

bool readOption(const SettingsStore &store, const QString &key)
{
    return store.ReadBoolean(Options, key, QStringLiteral("1"), true);
}
} // namespace

ShellSettings ShellSettings::read(const SettingsStore &store)
{
    ShellSettings s;
    s.autoSpace = readOption(store, QStringLiteral("autospace"));
    s.sounds = readOption(store, QStringLiteral("sounds"));
    s.toolTips = readOption(store, QStringLiteral("tooltips"));
    s.voicePrompt = readOption(store, QStringLiteral("voiceprompt"));
    s.top = positionOf(store.Read(Form, QStringLiteral("top"), QStringLiteral("0")));
    s.left = positionOf(store.Read(Form, QStringLiteral("left"), QStringLiteral("0")));
    return s;
}

bool ShellSettings::readTipOfDay(const SettingsStore &store)
{
    return readOption(store, TipsKey);
}

QString ShellSettings::tipsText(const SettingsStore &store, const QString &fallback)
{
    return store.Read(Options, TipsKey, fallback);
}

int ShellSettings::positionOf(const QString &text)
{
    if (text.startsWith(QLatin1Char('-')))
        return 0;
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value) || value < 0 ||
        value > double(std::numeric_limits<int>::max()))
        return 0;
    return int(std::lround(value));
}

QList<ShellSettings::Entry> ShellSettings::exitEntries() const
{
    return {
        {Options, QStringLiteral("autospace"), SettingsStore::BooleanText(autoSpace)},
        {Options, QStringLiteral("sounds"), SettingsStore::BooleanText(sounds)},
        {Options, QStringLiteral("tooltips"), SettingsStore::BooleanText(toolTips)},
        {Form, QStringLiteral("top"), QString::number(top)},
        {Form, QStringLiteral("left"), QString::number(left)},
        {Options, TipsKey, SettingsStore::BooleanText(tipOfDay)},
        {Options, QStringLiteral("voiceprompt"), SettingsStore::BooleanText(voicePrompt)},
    };
}

void ShellSettings::write(SettingsStore &store) const
{
    for (const Entry &e : exitEntries())
        store.Write(e.section, e.key, e.value);
}
