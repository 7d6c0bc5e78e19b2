#pragma once

#include "core/Dialogs.h"
#include "core/ImageEntry.h"
#include "generator/GalleryWriter.h"
#include "generator/PageStyleSettings.h"
#include "generator/RememberedPaths.h"

#include <optional>

// Folder (ending in the separator) and extension-less name of the last generated main page.
struct OutputLocation
{
    QString folder;
    QString baseName;

    QString mainPagePath() const { return folder + baseName + QLatin1String(".html"); }
    bool operator==(const OutputLocation &) const = default;
};

struct BackgroundValues
{
    QString main;
    QString link;
};

// The Generate command after the layout chooser: checks, output file choice,
// name resolution, the layout writer of the chosen word, and the messages.
class AlbumGenerator
{
public:
    enum class Outcome
    {
        Completed,
        Failed,
        Cancelled,
        NoImages
    };

    struct Input
    {
        const PageStyleSettings &style;
        const ImageEntries &images;
        bool autoSpace;
    };

    explicit AlbumGenerator(Dialogs &dialogs) : m_dialogs(dialogs) {}
    void setGalleryOptions(GalleryOptions options) { m_gallery = std::move(options); }

    Outcome GenerateWebPage(const QString &layoutWord, const Input &input, RememberedPaths &paths,
                            OutputLocation &output);
    // The words that name a layout, in the chooser's order.
    static QStringList layoutWords();
    // Save dialog; on success updates "genhtml" and the output location.
    std::optional<QString> ChooseOutputFile(RememberedPaths &paths, OutputLocation &output);
    static BackgroundValues ResolveBackgrounds(const PageStyleSettings &style, bool autoSpace);
    // The name the pages use for a local file: its web-safe file name.
    static QString WebNameOf(const QString &path, bool autoSpace);

private:
    Dialogs &m_dialogs;
    GalleryOptions m_gallery;
};
