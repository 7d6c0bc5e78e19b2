#include "generator/FontMarkup.h"

namespace {
struct FontPart
{
    QString open, close;
};

// Face, size and (for page text only) colour; one closing tag, only with a face.
FontPart fontTags(const QString &name, const QString &size, const QString *color)
{
    FontPart part;
    if (!name.isEmpty()) {
        part.open = QLatin1String("<FONT=") + name + QLatin1String("> ");
        part.close = QStringLiteral("</FONT>");
    }
    if (!size.isEmpty())
        part.open += QLatin1String(" <FONT SIZE=") + size + QLatin1String("> ");
    if (color && !color->isEmpty())
        part.open += QLatin1String(" <FONT COLOR=") + *color + QLatin1String("> ");
    return part;
}

// Closing tags follow the opening order, as the pages have always had them.
FontPart styleTags(int underline, int bold, int italic)
{
    FontPart part;
    if (underline == 1) {
        part.open = QStringLiteral("<U>");
        part.close = QStringLiteral("</U>");
    }
    if (bold == 1) {
        part.open += QLatin1String("<B>");
        part.close += QLatin1String("</B>");
    }
    if (italic == 1) {
        part.open += QLatin1String("<I>");
        part.close += QLatin1String("</I>");
    }
    return part;
}
} // namespace

FontMarkup MakeFontMarkup(const PageStyleSettings &s)
{
    const FontPart pageFont = fontTags(s.backFontName, s.backFontSize, &s.backFontColor);
    const FontPart pageStyle = styleTags(s.backFontUnderline, s.backFontBold, s.backFontItalic);
    const FontPart linkFont = fontTags(s.linkFontName, s.linkFontSize, nullptr);
    const FontPart linkStyle = styleTags(s.linkFontUnderline, s.linkFontBold, s.linkFontItalic);
    return {pageFont.open, pageFont.close, pageStyle.open, pageStyle.close,
            linkFont.open, linkFont.close, linkStyle.open, linkStyle.close};
}
