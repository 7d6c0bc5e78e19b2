#include "generator/StyleCommands.h"

#include "core/AppText.h"
#include "core/ErrorInfo.h"

#include <QLocale>

const QColor StyleCommands::ClearedSwatch = QColor(255, 255, 255);

namespace {
struct FontFields
{
    QString &name, &size, &color;
    int &underline, &bold, &italic;
    QColor &swatch;
};

FontFields fontFields(PageStyleSettings &s, StyleCommands::Target target)
{
    if (target == StyleCommands::Target::Page)
        return {s.backFontName, s.backFontSize,   s.backFontColor,      s.backFontUnderline,
                s.backFontBold, s.backFontItalic, s.backFontColorSwatch};
    return {s.linkFontName, s.linkFontSize,   s.linkFontColor,      s.linkFontUnderline,
            s.linkFontBold, s.linkFontItalic, s.linkFontColorSwatch};
}

struct BackgroundFields
{
    QString &value;
    bool &isColor;
    QColor &swatch;
    RememberedPaths::Key key;
};

BackgroundFields backgroundFields(PageStyleSettings &s, StyleCommands::Target target)
{
    if (target == StyleCommands::Target::Page)
        return {s.mainBackground, s.mainBackgroundIsColor, s.mainBackgroundSwatch,
                RememberedPaths::MainBack};
    return {s.linkBackground, s.linkBackgroundIsColor, s.linkBackgroundSwatch,
            RememberedPaths::LinkBack};
}
} // namespace

bool StyleCommands::chooseFont(PageStyleSettings &style, Target target)
{
    const FontFields f = fontFields(style, target);
    bool isNumber = false;
    const double size = QLocale::c().toDouble(f.size.trimmed(), &isNumber);
    if (!isNumber) {
        m_dialogs.message(
            ErrorInfo::typeMismatch(f.size).messageAfter(QStringLiteral("Error Selecting Font.!")),
            Dialogs::Icon::Exclamation);
        return false;
    }
    Dialogs::FontChoice initial;
    initial.name = f.name;
    initial.size = size;
    initial.underline = f.underline != 0;
    initial.bold = f.bold != 0;
    initial.italic = f.italic != 0;
    initial.color = f.swatch;
    const std::optional<Dialogs::FontChoice> chosen = m_dialogs.chooseFont(initial);
    if (!chosen)
        return false;
    f.name = chosen->name;
    f.size = QString::number(chosen->size);
    f.underline = chosen->underline ? 1 : 0;
    f.bold = chosen->bold ? 1 : 0;
    f.italic = chosen->italic ? 1 : 0;
    f.swatch = chosen->color;
    f.color = ColorToText(chosen->color);
    return true;
}

bool StyleCommands::applyBackgroundAnswer(const QString &word, PageStyleSettings &style,
                                          RememberedPaths &paths, Target target)
{
    const BackgroundFields f = backgroundFields(style, target);
    if (word == QLatin1String("image")) {
        Dialogs::FileRequest request;
        request.title = AppText::AppTitle;
        request.filter = QStringLiteral("JPG (*.jpg)|*.jpg|GIF (*.gif)|*.gif|All (*.*)|*.*");
        request.fileName = paths.value(f.key);
        const std::optional<QString> chosen = m_dialogs.openFile(request);
        if (!chosen)
            return false;
        f.value = *chosen;
        f.swatch = ClearedSwatch;
        f.isColor = false;
        paths.replace(f.key, *chosen);
        return true;
    }
    if (word == QLatin1String("color")) {
        const std::optional<QColor> chosen = m_dialogs.chooseColor(f.swatch);
        if (!chosen)
            return false;
        f.value = ColorToText(*chosen);
        f.swatch = *chosen;
        f.isColor = true;
        return true;
    }
    if (word == QLatin1String("clear")) {
        f.value.clear();
        f.swatch = ClearedSwatch;
        f.isColor = false;
        return true;
    }
    return false;
}

bool StyleCommands::chooseBackgroundSound(PageStyleSettings &style, RememberedPaths &paths)
{
    Dialogs::FileRequest request;
    request.title = AppText::AppTitle;
    request.filter = QStringLiteral("Midi (*.mid)|*.mid|All (*.*)|*.*");
    request.defaultExtension = QStringLiteral("mid");
    request.fileName = paths.value(RememberedPaths::Midi);
    const std::optional<QString> chosen = m_dialogs.openFile(request);
    if (!chosen)
        return false;
    style.backgroundSound = *chosen;
    paths.replace(RememberedPaths::Midi, *chosen);
    return true;
}
