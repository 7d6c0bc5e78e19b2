#include "upload/UploadPlan.h"

#include "core/PathNames.h"

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

UploadPlan UploadPlan::make(const WorkingSet &set, const QString &targetPath,
                            const QString &mainPagePath, bool autoSpace)
{
    UploadPlan plan;
    plan.targetPath = NormaliseTargetPath(targetPath);
    plan.directoryLevels = DirectoryLevels(plan.targetPath);
    const QString folder = FolderOf(mainPagePath);
    const QString base = set.output.baseName;
    for (const char *suffix : {".html", "Link.html", "Main.html"}) {
        const QString name = base + QLatin1String(suffix);
        plan.pages.append({name, folder + name, name});
    }
    const PageStyleSettings &s = set.style;
    for (const QString *field : {&s.mainBackground, &s.linkBackground, &s.backgroundSound}) {
        if (field->trimmed().isEmpty())
            continue;
        const QString name = FileNameOf(*field);
        if (!name.isEmpty())
            plan.extras.append({name, *field, WebSafeName(name, autoSpace)});
    }
    for (const ImageEntry &entry : set.images.entries())
        plan.pictures.append(
            {entry.path, entry.path, WebSafeName(FileNameOf(entry.path), autoSpace)});
    return plan;
}
