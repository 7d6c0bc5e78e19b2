#pragma once

#include "core/Dialogs.h"
#include "generator/PageStyleSettings.h"
#include "generator/RememberedPaths.h"

// The "..." commands of the style panel: they fill style fields through the font,
// colour and file dialogs. A cancelled dialog changes nothing; each command returns
// whether it changed anything.
class StyleCommands
{
public:
    // Page: the page text and the display frame; Link: the link frame.
    enum class Target
    {
        Page,
        Link
    };

    explicit StyleCommands(Dialogs &dialogs) : m_dialogs(dialogs) {}

    bool chooseFont(PageStyleSettings &style, Target target);
    // Acts on the background chooser's answer: "image", "color" or "clear"; any
    // other word changes nothing.
    bool applyBackgroundAnswer(const QString &word, PageStyleSettings &style,
                               RememberedPaths &paths, Target target);
    bool chooseBackgroundSound(PageStyleSettings &style, RememberedPaths &paths);

    static const QColor ClearedSwatch;

private:
    Dialogs &m_dialogs;
};
