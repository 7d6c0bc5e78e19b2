#include "core/PathNames.h"

#include <QCoreApplication>

QString FolderOf(const QString &path)
{
    return path.left(path.lastIndexOf(PathNames::Separator) + 1);
}

QString FileNameOf(const QString &path)
{
    const qsizetype at = path.lastIndexOf(PathNames::Separator);
    return at < 0 ? QString() : path.mid(at + 1);
}

QString BaseNameOf(const QString &path)
{
    const QString name = FileNameOf(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

QString WebSafeName(const QString &name, bool autoSpace)
{
    if (!autoSpace)
        return name;
    QString out;
    out.reserve(name.size());
    for (const QChar c : name) {
        if (c == QLatin1Char(' '))
            out += QLatin1Char('_');
        else if (c != QLatin1Char('\'') && c != QLatin1Char('"'))
            out += c;
    }
    return out;
}

QString JoinFolderAndFile(const QString &folder, const QString &file)
{
    if (folder.endsWith(PathNames::Separator))
        return folder + file;
    return folder + PathNames::Separator + file;
}

QString AppFolder()
{
    return JoinFolderAndFile(QCoreApplication::applicationDirPath(), QString());
}
