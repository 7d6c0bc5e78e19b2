#include "generator/PageStyleSettings.h"

PageStyleSettings PageStyleSettings::afterNew()
{
    PageStyleSettings s;
    s.backFontName = QStringLiteral("Arial");
    s.backFontSize = QStringLiteral("6");
    s.backFontColor = QStringLiteral("0");
    s.backFontBold = 1;
    s.backFontItalic = 1;
    s.linkFontName = QStringLiteral("Arial");
    s.linkFontSize = QStringLiteral("3");
    s.linkFontColor = QStringLiteral("0000FF");
    s.mainBackground = QStringLiteral("0080FF");
    s.linkBackground = QStringLiteral("80FFFF");
    s.backFontColorSwatch = QColor(0, 0, 0);
    s.linkFontColorSwatch = QColor(0, 0, 255);
    s.mainBackgroundSwatch = QColor(0x00, 0x80, 0xFF);
    s.linkBackgroundSwatch = QColor(0x80, 0xFF, 0xFF);
    return s;
}

PageStyleSettings PageStyleSettings::atStartup()
{
    PageStyleSettings s = afterNew();
    s.title = QStringLiteral("Created with Lumora Web Page Generator");
    return s;
}

QString ColorToText(int red, int green, int blue)
{
    return QStringLiteral("%1%2%3")
        .arg(red & 0xFF, 2, 16, QLatin1Char('0'))
        .arg(green & 0xFF, 2, 16, QLatin1Char('0'))
        .arg(blue & 0xFF, 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString ColorToText(const QColor &color)
{
    return ColorToText(color.red(), color.green(), color.blue());
}

QColor SwatchColorOf(const QString &colorText)
{
    const QString reordered = colorText.mid(4, 2) + colorText.mid(2, 2) + colorText.left(2);
    bool ok = false;
    const uint value = reordered.toUInt(&ok, 16);
    if (!ok)
        return QColor(0, 0, 0);
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}
