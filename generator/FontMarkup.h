#pragma once

#include "generator/PageStyleSettings.h"

// The markup lines that open and close the page text and the link text.
struct FontMarkup
{
    QString pageFontOpen, pageFontClose, pageStyleOpen, pageStyleClose;
    QString linkFontOpen, linkFontClose, linkStyleOpen, linkStyleClose;
};

FontMarkup MakeFontMarkup(const PageStyleSettings &settings);
