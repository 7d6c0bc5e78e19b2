#include "generator/GalleryPages.h"

#include "core/AppText.h"
#include "generator/PageWriter.h"

#include <QLocale>
#include <QRegularExpression>
#include <QUrl>

namespace {
// Tiles a phone shows before scrolling; later thumbnails load lazily.
constexpr qsizetype EagerTiles = 8;

QString esc(const QString &text)
{
    return text.toHtmlEscaped();
}

QString attr(const QString &name, const QString &value)
{
    return QLatin1Char(' ') + name + QLatin1String("=\"") + esc(value) + QLatin1Char('"');
}

// The style fields are free text; only values that cannot leave their CSS declaration pass.
QString cssColor(const QString &text)
{
    const QString t = text.trimmed();
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{1,6}$"));
    static const QRegularExpression word(QStringLiteral("^[A-Za-z]{3,20}$"));
    if (hex.match(t).hasMatch())
        return QLatin1Char('#') + t.rightJustified(6, QLatin1Char('0'));
    return word.match(t).hasMatch() ? t : QString();
}

QString cssFontSize(const QString &text)
{
    static const QStringList keywords{QStringLiteral("x-small"),  QStringLiteral("small"),
                                      QStringLiteral("medium"),   QStringLiteral("large"),
                                      QStringLiteral("x-large"),  QStringLiteral("xx-large"),
                                      QStringLiteral("xxx-large")};
    bool ok = false;
    const int size = text.trimmed().toInt(&ok);
    return ok && size >= 1 && size <= 7 ? keywords[size - 1] : QString();
}

QString cssFont(const QString &name, const QString &size, const QString &color, int underline,
                int bold, int italic)
{
    QString family;
    for (const QChar c : name)
        if (c.isLetterOrNumber() || c == QLatin1Char(' ') || c == QLatin1Char('-'))
            family += c;
    QString css;
    if (!family.trimmed().isEmpty())
        css += QLatin1String("font-family:\"") + family.trimmed() + QLatin1String("\",sans-serif;");
    if (const QString s = cssFontSize(size); !s.isEmpty())
        css += QLatin1String("font-size:") + s + QLatin1Char(';');
    if (const QString c = cssColor(color); !c.isEmpty())
        css += QLatin1String("color:") + c + QLatin1Char(';');
    css += bold == 1 ? QLatin1String("font-weight:bold;") : QLatin1String("font-weight:normal;");
    if (italic == 1)
        css += QLatin1String("font-style:italic;");
    css += underline == 1 ? QLatin1String("text-decoration:underline;")
                          : QLatin1String("text-decoration:none;");
    return css;
}

QString cssBackground(const QString &colorText, const QString &picture)
{
    if (!picture.isEmpty())
        return QLatin1String("background:url(\"") + GalleryPages::UrlOf(picture) +
               QLatin1String("\") center/cover fixed;");
    const QString c = cssColor(colorText);
    return c.isEmpty() ? QString() : QLatin1String("background:") + c + QLatin1Char(';');
}

QString styleSheet(const GalleryLook &look)
{
    const PageStyleSettings &s = look.style;
    const QString linkFont = cssFont(s.linkFontName, s.linkFontSize, s.linkFontColor,
                                     s.linkFontUnderline, s.linkFontBold, s.linkFontItalic);
    return QLatin1String("*{box-sizing:border-box}"
                         "body{margin:0;font-family:sans-serif;") +
           cssBackground(s.mainBackground, look.mainBackgroundPicture) +
           (cssColor(s.backFontColor).isEmpty()
                ? QString()
                : QLatin1String("color:") + cssColor(s.backFontColor) + QLatin1Char(';')) +
           QLatin1String("}header,nav,footer{padding:.5rem 1rem;") +
           cssBackground(s.linkBackground, look.linkBackgroundPicture) +
           QLatin1String("}h1{margin:0;overflow-wrap:anywhere;") +
           cssFont(s.backFontName, s.backFontSize, s.backFontColor, s.backFontUnderline,
                   s.backFontBold, s.backFontItalic) +
           QLatin1String("}a,.caption{") + linkFont +
           QLatin1String("}nav{display:flex;justify-content:space-between;gap:1rem}"
                         ".grid{display:grid;gap:8px;padding:8px;grid-template-columns:"
                         "repeat(auto-fill,minmax(min(200px,calc(50% - 4px)),1fr))}"
                         ".grid a{display:block;min-width:0}"
                         ".grid img{display:block;width:100%;height:auto;aspect-ratio:1;"
                         "object-fit:cover}"
                         ".grid .caption{display:block;white-space:nowrap;overflow:hidden;"
                         "text-overflow:ellipsis}"
                         "figure{margin:0;padding:8px;text-align:center}"
                         "figure img{max-width:100%;max-height:85vh;width:auto;height:auto}"
                         "figcaption{padding:.5rem;overflow-wrap:anywhere}");
}

QString language()
{
    const QString name = QLocale::system().bcp47Name();
    return name.isEmpty() || name == QLatin1String("C") ? QStringLiteral("en") : name;
}

QString pageTitle(const GalleryLook &look)
{
    return look.title.trimmed().isEmpty() ? QStringLiteral("Gallery") : look.title;
}

void head(PageWriter &out, const GalleryLook &look, const QString &title)
{
    out.line(QStringLiteral("<!DOCTYPE html>"));
    out.line(QLatin1String("<html lang=\"") + esc(language()) + QLatin1String("\">"));
    out.line(QStringLiteral("<head>"));
    out.line(QStringLiteral("<meta charset=\"utf-8\">"));
    out.line(
        QStringLiteral("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"));
    out.line(QLatin1String("<title>") + esc(title) + QLatin1String("</title>"));
    out.line(QLatin1String("<style>") + styleSheet(look) + QLatin1String("</style>"));
    out.line(QStringLiteral("</head>"));
    out.line(QStringLiteral("<body>"));
}

void foot(PageWriter &out, const QString &sound)
{
    out.line(QStringLiteral("<footer>"));
    if (!sound.isEmpty())
        out.line(QLatin1String("<audio controls") +
                 attr(QStringLiteral("src"), GalleryPages::UrlOf(sound)) +
                 QLatin1String("></audio>"));
    out.line(QLatin1String("<p>Created with ") + esc(AppText::AppTitle) + QLatin1String("</p>"));
    out.line(QStringLiteral("</footer>"));
    out.line(QStringLiteral("</body>"));
    out.line(QStringLiteral("</html>"));
}

QString srcset(const GalleryPhoto &p, qsizetype from, qsizetype to)
{
    QStringList entries;
    // A picture smaller than a size gives the same width twice; one entry serves both.
    for (qsizetype i = from; i < to; ++i)
        if (i == from || p.pixelSizes[i].width() != p.pixelSizes[i - 1].width())
            entries << GalleryPages::UrlOf(p.files[i]) + QLatin1Char(' ') +
                           QString::number(p.pixelSizes[i].width()) + QLatin1Char('w');
    return entries.join(QLatin1String(", "));
}

QString image(const GalleryPhoto &p, qsizetype shown, const QString &srcsetText,
              const QString &sizes, bool lazy)
{
    return QLatin1String("<img") +
           attr(QStringLiteral("src"), GalleryPages::UrlOf(p.files[shown])) +
           attr(QStringLiteral("srcset"), srcsetText) + attr(QStringLiteral("sizes"), sizes) +
           attr(QStringLiteral("width"), QString::number(p.pixelSizes[shown].width())) +
           attr(QStringLiteral("height"), QString::number(p.pixelSizes[shown].height())) +
           attr(QStringLiteral("alt"), p.caption) +
           (lazy ? QLatin1String(" loading=\"lazy\"") : QLatin1String()) +
           QLatin1String(" decoding=\"async\">");
}

QString tileId(qsizetype index)
{
    return QLatin1Char('p') + QString::number(index + 1);
}

// Previous, index and next; a missing neighbour keeps its place as plain text.
QString navLink(const QString &id, const QString &href, const QString &text)
{
    if (href.isEmpty())
        return QLatin1String("<span>") + text + QLatin1String("</span>");
    return QLatin1String("<a") + attr(QStringLiteral("id"), id) +
           attr(QStringLiteral("href"), href) + QLatin1Char('>') + text + QLatin1String("</a>");
}

// Keyboard navigation on top of the links; the pages work without it.
const QString KeyScript =
    QStringLiteral("<script>document.addEventListener(\"keydown\",function(e){"
                   "if(e.altKey||e.ctrlKey||e.metaKey)return;"
                   "var id={ArrowLeft:\"prev\",ArrowRight:\"next\",Escape:\"index\"}[e.key];"
                   "var a=id&&document.getElementById(id);if(a)location.href=a.href;});</script>");
} // namespace

namespace GalleryPages {

QString UrlOf(const QString &relativeName)
{
    QStringList parts = relativeName.split(QLatin1Char('/'));
    for (QString &part : parts)
        part = QString::fromLatin1(QUrl::toPercentEncoding(part));
    return parts.join(QLatin1Char('/'));
}

std::optional<ErrorInfo> WriteIndex(const QString &folder, const GalleryLook &look,
                                    const QList<GalleryPhoto> &photos)
{
    PageWriter out(folder + look.indexPage);
    head(out, look, pageTitle(look));
    out.line(QLatin1String("<header><h1>") + esc(look.title) + QLatin1String("</h1></header>"));
    out.line(QStringLiteral("<main class=\"grid\">"));
    for (qsizetype i = 0; i < photos.size(); ++i) {
        const GalleryPhoto &p = photos[i];
        out.line(QLatin1String("<a") + attr(QStringLiteral("id"), tileId(i)) +
                 attr(QStringLiteral("href"), UrlOf(p.page)) + QLatin1Char('>') +
                 image(p, 0, srcset(p, 0, qMin<qsizetype>(2, p.files.size())),
                       QStringLiteral("(max-width: 440px) 50vw, 240px"), i >= EagerTiles) +
                 QLatin1String("<span class=\"caption\">") + esc(p.caption) +
                 QLatin1String("</span></a>"));
    }
    out.line(QStringLiteral("</main>"));
    foot(out, look.sound);
    return out.finish();
}

std::optional<ErrorInfo> WritePhotoPage(const QString &folder, const GalleryLook &look,
                                        const QList<GalleryPhoto> &photos, qsizetype index)
{
    const GalleryPhoto &p = photos[index];
    PageWriter out(folder + p.page);
    head(out, look, p.caption + QLatin1String(" - ") + pageTitle(look));
    const QString previous = index > 0 ? UrlOf(photos[index - 1].page) : QString();
    const QString next = index + 1 < photos.size() ? UrlOf(photos[index + 1].page) : QString();
    out.line(QLatin1String("<nav>") +
             navLink(QStringLiteral("prev"), previous, QStringLiteral("&larr; Previous")) +
             navLink(QStringLiteral("index"),
                     UrlOf(look.indexPage) + QLatin1Char('#') + tileId(index),
                     esc(pageTitle(look))) +
             navLink(QStringLiteral("next"), next, QStringLiteral("Next &rarr;")) +
             QLatin1String("</nav>"));
    out.line(QStringLiteral("<main>"));
    out.line(QStringLiteral("<figure>"));
    // The web size and up; 800 serves phones that would not use the full web size.
    out.line(image(p, p.files.size() > 2 ? 2 : p.files.size() - 1,
                   srcset(p, qMin<qsizetype>(1, p.files.size() - 1), p.files.size()),
                   QStringLiteral("100vw"), false));
    out.line(QLatin1String("<figcaption>") + esc(p.caption) + QLatin1String("</figcaption>"));
    out.line(QStringLiteral("</figure>"));
    if (!p.original.isEmpty())
        out.line(QLatin1String("<p><a") + attr(QStringLiteral("href"), UrlOf(p.original)) +
                 QLatin1String(">Original</a></p>"));
    out.line(QStringLiteral("</main>"));
    out.line(KeyScript);
    foot(out, QString());
    return out.finish();
}

} // namespace GalleryPages
