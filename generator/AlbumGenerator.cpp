#include "generator/AlbumGenerator.h"

#include "core/AppText.h"
#include "core/PathNames.h"
#include "generator/FontMarkup.h"
#include "generator/LayoutWriter.h"

namespace {
enum class Layout
{
    None,
    Frame,
    FrameThumb,
    Thumb,
    LRScroll,
    UDScroll,
    Gallery
};

// Every layout word with its layout; the one list the chooser's words are checked against.
struct LayoutName
{
    const char *word;
    Layout layout;
};
constexpr LayoutName LayoutNames[] = {
    {"frame", Layout::Frame},       {"framethumb", Layout::FrameThumb},
    {"thumb", Layout::Thumb},       {"lrscroll", Layout::LRScroll},
    {"udscroll", Layout::UDScroll}, {"gallery", Layout::Gallery}};

Layout layoutOf(const QString &word)
{
    for (const LayoutName &n : LayoutNames)
        if (word == QLatin1String(n.word))
            return n.layout;
    return Layout::None;
}

std::optional<ErrorInfo> runWriter(Layout layout, const AlbumContent &album)
{
    switch (layout) {
    case Layout::Frame:
        return LayoutWriter::WriteFramedLayout(album, false);
    case Layout::FrameThumb:
        return LayoutWriter::WriteFramedLayout(album, true);
    case Layout::Thumb:
        return LayoutWriter::WriteThumbLayout(album);
    case Layout::LRScroll:
        return LayoutWriter::WriteLRScrollLayout(album);
    case Layout::UDScroll:
        return LayoutWriter::WriteUDScrollLayout(album);
    case Layout::Gallery:
    case Layout::None:
        break;
    }
    return std::nullopt;
}
} // namespace

QStringList AlbumGenerator::layoutWords()
{
    QStringList words;
    for (const LayoutName &n : LayoutNames)
        words << QLatin1String(n.word);
    return words;
}

QString AlbumGenerator::WebNameOf(const QString &path, bool autoSpace)
{
    return WebSafeName(FileNameOf(path), autoSpace);
}

BackgroundValues AlbumGenerator::ResolveBackgrounds(const PageStyleSettings &style, bool autoSpace)
{
    auto resolve = [autoSpace](const QString &field) {
        const QString value = WebNameOf(field, autoSpace);
        return value.isEmpty() ? field.trimmed() : value;
    };
    return {resolve(style.mainBackground), resolve(style.linkBackground)};
}

std::optional<QString> AlbumGenerator::ChooseOutputFile(RememberedPaths &paths,
                                                        OutputLocation &output)
{
    Dialogs::FileRequest request;
    request.title = AppText::AppTitle;
    request.filter = QStringLiteral("HTML (*.html)|*.html|HTM (*.htm)|*.htm|All (*.*)|*.*");
    request.defaultExtension = QStringLiteral("HTML");
    request.fileName = paths.value(RememberedPaths::GenHtml);
    request.overwritePrompt = true;
    std::optional<QString> chosen = m_dialogs.saveFile(request);
    if (!chosen)
        return std::nullopt;
    QString name = *chosen;
    if (!name.endsWith(QLatin1String(".html"), Qt::CaseInsensitive) &&
        !name.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive))
        name += QLatin1String(".html");
    paths.replace(RememberedPaths::GenHtml, name);
    output.baseName = BaseNameOf(name);
    output.folder = FolderOf(name);
    return output.mainPagePath();
}

AlbumGenerator::Outcome AlbumGenerator::GenerateWebPage(const QString &layoutWord,
                                                        const Input &input, RememberedPaths &paths,
                                                        OutputLocation &output)
{
    if (input.images.isEmpty()) {
        m_dialogs.message(QLatin1String("No Images in list, cannot Generate ") +
                          AppText::ProductPageName);
        return Outcome::NoImages;
    }
    const Layout layout = layoutOf(layoutWord);
    AlbumContent album;
    album.markup = MakeFontMarkup(input.style);
    const std::optional<QString> mainPage = ChooseOutputFile(paths, output);
    if (!mainPage)
        return Outcome::Cancelled;
    const BackgroundValues backgrounds = ResolveBackgrounds(input.style, input.autoSpace);

    album.mainPagePath = *mainPage;
    album.outputFolder = output.folder;
    album.baseName = output.baseName;
    album.title = input.style.title;
    album.mainBackgroundValue = backgrounds.main;
    album.mainBackgroundIsColor = input.style.mainBackgroundIsColor;
    album.linkBackgroundValue = backgrounds.link;
    album.linkBackgroundIsColor = input.style.linkBackgroundIsColor;
    album.linkColor = input.style.linkFontColor;
    album.hasSound = !input.style.backgroundSound.isEmpty();
    album.soundName = WebNameOf(input.style.backgroundSound, input.autoSpace);
    album.pictures.reserve(input.images.size());
    for (const ImageEntry &entry : input.images)
        album.pictures.append(
            {WebNameOf(entry.path, input.autoSpace), entry.displayName, entry.path});

    std::optional<ErrorInfo> error;
    if (layout == Layout::Gallery) {
        const GalleryReport report = GalleryWriter::WriteGallery(album, input.style, m_gallery);
        if (report.cancelled)
            return Outcome::Cancelled;
        error = report.error;
    } else {
        error = runWriter(layout, album);
        if (!error)
            GalleryWriter::ForgetSite(output.folder, output.baseName);
    }
    if (error) {
        m_dialogs.message(error->messageAfter(QLatin1String("Error Generating ") +
                                              AppText::ProductPageName + QLatin1Char('!')),
                          Dialogs::Icon::Exclamation);
        return Outcome::Failed;
    }
    m_dialogs.message(QLatin1String("Creation of ") + AppText::ProductPageName +
                          QLatin1String(" Completed!"),
                      Dialogs::Icon::Information);
    return Outcome::Completed;
}
