#include "generator/LayoutWriter.h"

#include "core/AppText.h"
#include "generator/PageWriter.h"

#include <functional>

namespace {
const QString ThumbCaption =
    QStringLiteral("<FONT SIZE=4>Click on Thumbnail Images to View Full Size</H4>");

void head(PageWriter &out, const QString &title)
{
    out.line(QStringLiteral("<HTML>"));
    out.line(QStringLiteral("<HEAD>"));
    out.line(QLatin1String("<TITLE>") + title + QLatin1String("</TITLE>"));
    out.line(QStringLiteral("</HEAD>"));
}

QString bodyOpen(const QString &value, bool isColor, const QString &rest)
{
    return (isColor ? QLatin1String("<BODY BGCOLOR = '") : QLatin1String("<BODY BACKGROUND = '")) +
           value + rest;
}

// Lines 1 to 10 shared by the display page and the single pages.
void pageTop(PageWriter &out, const AlbumContent &a)
{
    head(out, QStringLiteral(" "));
    out.line(bodyOpen(a.mainBackgroundValue, a.mainBackgroundIsColor,
                      QStringLiteral("' bgproperties='fixed'>")));
    out.line(a.markup.pageFontOpen);
    out.line(a.markup.pageStyleOpen);
    out.line(QStringLiteral("<CENTER>"));
    out.line(QLatin1Char(' ') + a.title + QLatin1Char(' '));
    out.line(QStringLiteral("<HR>"));
}

void pageClose(PageWriter &out, const AlbumContent &a)
{
    out.line(QStringLiteral("</CENTER>"));
    out.line(a.markup.pageStyleClose);
    out.line(a.markup.pageFontClose);
}

void soundLine(PageWriter &out, const AlbumContent &a)
{
    if (a.hasSound)
        out.line(QLatin1String("<embed src='") + a.soundName +
                 QLatin1String("' width=70 height=45>"));
}

void pageEnd(PageWriter &out)
{
    out.line(QStringLiteral("</BODY>"));
    out.line(QStringLiteral("</HTML>"));
}

QString footer(const QString &target)
{
    return QLatin1String("<A HREF='") + AppText::FooterLinkUrl + QLatin1Char('\'') + target +
           QLatin1String("><H3>Created with <B>") + AppText::AppTitle +
           QLatin1String("</B></H3></A>");
}

std::optional<ErrorInfo> writeSinglePage(const AlbumContent &a,
                                         const std::function<void(PageWriter &)> &pictureBlock)
{
    PageWriter out(a.mainPagePath);
    pageTop(out, a);
    pictureBlock(out);
    out.line(footer(QString()));
    pageClose(out, a);
    soundLine(out, a);
    pageEnd(out);
    return out.finish();
}

std::optional<ErrorInfo> writeFrameSet(const AlbumContent &a)
{
    PageWriter out(a.mainPagePath);
    head(out, a.title);
    out.line(QStringLiteral("<FRAMESET COLS=150,*>"));
    out.line(QLatin1String("<FRAME SCROLLING='AUTO' SRC='") + a.baseName +
             QLatin1String("Link.html' NAME='linkframe'>"));
    out.line(QLatin1String("<FRAME SCROLLING='AUTO' SRC='") + a.baseName +
             QLatin1String("Main.html' NAME='mainframe'>"));
    out.line(QStringLiteral("</FRAMESET>"));
    out.line(QStringLiteral("</HTML>"));
    return out.finish();
}

std::optional<ErrorInfo> writeDisplayPage(const AlbumContent &a, bool thumbnails)
{
    PageWriter out(a.outputFolder + a.baseName + QLatin1String("Main.html"));
    pageTop(out, a);
    if (thumbnails) {
        out.line(ThumbCaption);
        for (const auto &p : a.pictures)
            out.line(QLatin1String("<A HREF='") + p.name +
                     QLatin1String("' TARGET='mainframe'><IMG SRC=") + p.name +
                     QLatin1String(" border=0 width=120 height=90></A>"));
        out.line(QStringLiteral("<HR>"));
    }
    out.line(footer(QStringLiteral(" TARGET='mainframe'")));
    pageClose(out, a);
    pageEnd(out);
    return out.finish();
}

std::optional<ErrorInfo> writeLinkPage(const AlbumContent &a)
{
    PageWriter out(a.outputFolder + a.baseName + QLatin1String("Link.html"));
    head(out, QStringLiteral(" "));
    out.line(bodyOpen(a.linkBackgroundValue, a.linkBackgroundIsColor,
                      QLatin1String("' LINK =") + a.linkColor + QLatin1String(" VLINK =") +
                          a.linkColor + QLatin1String(" bgproperties='fixed'>")));
    out.line(a.markup.linkFontOpen);
    out.line(a.markup.linkStyleOpen);
    out.line(QLatin1String("<A HREF='") + a.baseName +
             QLatin1String("Main.html' TARGET='mainframe'>") + a.title + QLatin1String("</A><BR>"));
    out.line(QStringLiteral("<HR>"));
    for (const auto &p : a.pictures)
        out.line(QLatin1String("<A HREF='") + p.name + QLatin1String("' TARGET='mainframe'>") +
                 p.displayName + QLatin1String("</A><BR>"));
    out.line(a.markup.linkStyleClose);
    out.line(a.markup.linkFontClose);
    out.line(QStringLiteral("<HR>"));
    out.line(QLatin1String("<A HREF='") + AppText::FooterLinkUrl +
             QLatin1String("' TARGET='mainframe'><B>By Lumora</B></H3></A>"));
    soundLine(out, a);
    pageEnd(out);
    return out.finish();
}
} // namespace

namespace LayoutWriter {

std::optional<ErrorInfo> WriteFramedLayout(const AlbumContent &album, bool thumbnails)
{
    if (auto error = writeFrameSet(album))
        return error;
    if (auto error = writeDisplayPage(album, thumbnails))
        return error;
    return writeLinkPage(album);
}

std::optional<ErrorInfo> WriteThumbLayout(const AlbumContent &album)
{
    return writeSinglePage(album, [&album](PageWriter &out) {
        out.line(ThumbCaption);
        for (const auto &p : album.pictures)
            out.line(QLatin1String("<A HREF='") + p.name + QLatin1String("'><IMG SRC=") + p.name +
                     QLatin1String(" border=0 width=120 height=90></A>"));
        out.line(QStringLiteral("<HR>"));
    });
}

std::optional<ErrorInfo> WriteLRScrollLayout(const AlbumContent &album)
{
    return writeSinglePage(album, [&album](PageWriter &out) {
        out.line(QStringLiteral("<TABLE>"));
        out.line(QStringLiteral("<TR>"));
        for (const auto &p : album.pictures)
            out.line(QLatin1String("<TD><CENTER><IMG SRC=") + p.name +
                     QLatin1String(" border=0></TD>"));
        out.line(QStringLiteral("</TR>"));
        out.line(QStringLiteral("</TABLE>"));
        out.line(QStringLiteral("<HR>"));
    });
}

std::optional<ErrorInfo> WriteUDScrollLayout(const AlbumContent &album)
{
    return writeSinglePage(album, [&album](PageWriter &out) {
        for (const auto &p : album.pictures)
            out.line(QLatin1String("<IMG SRC=") + p.name + QLatin1String(" border=0><BR><HR>"));
        out.line(QStringLiteral("<HR>"));
    });
}

} // namespace LayoutWriter
