#include "upload/UploadPlan.h"

#include "core/PathNames.h"
#include "generator/GalleryWriter.h"

#include <algorithm>

QString UploadPlan::NormaliseTargetPath(const QString &path)
{
    QString p = path;
    if (!p.isEmpty() && !p.endsWith(QLatin1Char('/')))
        p += QLatin1Char('/');
    if (!p.isEmpty() && !p.startsWith(QLatin1Char('/')))
        p.prepend(QLatin1Char('/'));
    return p;
}

QStringList UploadPlan::DirectoryLevels(const QString &normalisedPath)
{
    QStringList levels;
    QString part;
    for (qsizetype k = 1; k < normalisedPath.size(); ++k) {
        if (normalisedPath[k] != QLatin1Char('/')) {
            part += normalisedPath[k];
        } else {
            levels << part;
            part.clear();
        }
    }
    return levels;
}

QString UploadPlan::GeneratedPage(const RememberedPaths &paths)
{
    const QString generated = paths.value(RememberedPaths::GenHtml);
    const QString lower = generated.toLower();
    if (lower.endsWith(QLatin1String("*.html")) || lower.endsWith(QLatin1String("*.htm")))
        return {};
    return generated;
}

std::optional<QString> UploadPlan::climbingName() const
{
    const auto climbs = [](const QString &name) {
        return name.contains(QLatin1Char('/')) || name == QLatin1String(".") ||
               name == QLatin1String("..");
    };
    if (climbs(pageBaseName))
        return pageBaseName;
    for (const File &file : siteFiles) {
        const QStringList parts = file.remoteName.split(QLatin1Char('/'));
        if (parts.size() > 2 || std::any_of(parts.cbegin(), parts.cend(), [&](const QString &p) {
                return p.isEmpty() || climbs(p);
            }))
            return file.remoteName;
    }
    for (const QList<File> *files : {&extras, &pictures}) {
        for (const File &file : *files) {
            if (climbs(file.remoteName))
                return file.remoteName;
        }
    }
    return std::nullopt;
}

QStringList UploadPlan::siteFolders() const
{
    QStringList folders;
    for (const File &file : siteFiles) {
        const qsizetype slash = file.remoteName.indexOf(QLatin1Char('/'));
        if (slash > 0 && !folders.contains(file.remoteName.left(slash)))
            folders << file.remoteName.left(slash);
    }
    return folders;
}

UploadPlan UploadPlan::make(const WorkingSet &set, const QString &targetPath,
                            const QString &mainPagePath, bool autoSpace)
{
    UploadPlan plan;
    plan.targetPath = NormaliseTargetPath(targetPath);
    plan.directoryLevels = DirectoryLevels(plan.targetPath);
    const QString folder = FolderOf(mainPagePath);
    const QString base = set.output.baseName;
    plan.pageBaseName = base;
    for (const GallerySiteFile &file : GalleryWriter::SiteFiles(folder, base))
        plan.siteFiles.append({file.remotePath, file.localPath, file.remotePath, false});
    if (!plan.siteFiles.isEmpty())
        return plan;
    for (const char *suffix : {".html", "Link.html", "Main.html"}) {
        const QString name = base + QLatin1String(suffix);
        plan.pages.append({name, folder + name, name, !plan.pages.isEmpty()});
    }
    const PageStyleSettings &s = set.style;
    for (const QString *field : {&s.mainBackground, &s.linkBackground, &s.backgroundSound}) {
        if (field->trimmed().isEmpty())
            continue;
        const QString name = FileNameOf(*field);
        if (!name.isEmpty())
            plan.extras.append({name, *field, WebSafeName(name, autoSpace), false});
    }
    for (const ImageEntry &entry : set.images.entries())
        plan.pictures.append(
            {entry.path, entry.path, WebSafeName(FileNameOf(entry.path), autoSpace), false});
    return plan;
}
