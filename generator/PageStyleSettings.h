#pragma once

#include <QColor>
#include <QString>

// The album's style as the user edits it: every value is text exactly as shown in
// its field, never validated or normalised. Swatches are display state that the
// project file carries; generation never reads them.
struct PageStyleSettings
{
    QString title;
    QString backFontName;
    QString backFontSize;
    QString backFontColor;
    int backFontUnderline = 0;
    int backFontBold = 0;
    int backFontItalic = 0;
    QString linkFontName;
    QString linkFontSize;
    QString linkFontColor;
    int linkFontUnderline = 0;
    int linkFontBold = 0;
    int linkFontItalic = 0;
    QString mainBackground;
    bool mainBackgroundIsColor = true;
    QString linkBackground;
    bool linkBackgroundIsColor = true;
    QString backgroundSound;

    QColor backFontColorSwatch;
    QColor linkFontColorSwatch;
    QColor mainBackgroundSwatch;
    QColor linkBackgroundSwatch;

    static PageStyleSettings atStartup();
    static PageStyleSettings afterNew();

    bool operator==(const PageStyleSettings &) const = default;
};

// Six upper-case hex digits, red first, no "#".
QString ColorToText(int red, int green, int blue);
QString ColorToText(const QColor &color);
// The swatch colour of a colour text: digits 5-6, 3-4, 1-2 read as one hex number
// (blue highest). Text that is not hexadecimal gives black.
QColor SwatchColorOf(const QString &colorText);
