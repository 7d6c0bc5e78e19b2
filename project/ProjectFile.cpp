#include "project/ProjectFile.h"

#include "core/AppText.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace {
const QString ListStart = QStringLiteral("ImageListStart");
const QString ListEnd = QStringLiteral("ImageListEnd");

// Numbers carry a leading blank when not negative and a trailing blank always.
QString numberText(qint64 n)
{
    return (n >= 0 ? QStringLiteral(" %1 ") : QStringLiteral("%1 ")).arg(n);
}

qint64 colorValue(const QColor &c)
{
    return qint64(c.red()) | (qint64(c.green()) << 8) | (qint64(c.blue()) << 16);
}

QColor colorOfValue(qint64 v)
{
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

QString flagText(bool b)
{
    return b ? QStringLiteral("True") : QStringLiteral("False");
}

struct ParseError
{
    ErrorInfo info;
};

// Lines of the file's bytes, each decoded on its own so one stray byte spoils one line only.
class LineReader
{
public:
    LineReader(const QByteArray &bytes, const QString &fileName)
        : m_bytes(bytes), m_fileName(fileName)
    {
    }

    // The next line, CR LF, LF or CR ended; nullopt past the end.
    std::optional<QString> next()
    {
        if (m_pos >= m_bytes.size())
            return std::nullopt;
        qsizetype end = m_pos;
        while (end < m_bytes.size() && m_bytes[end] != '\r' && m_bytes[end] != '\n')
            ++end;
        if (end - m_pos > ProjectFile::MaxLineBytes)
            throw ParseError{ErrorInfo::outOfMemory(m_fileName)};
        QString line = ProjectFile::decode(m_bytes.sliced(m_pos, end - m_pos));
        if (end < m_bytes.size() && m_bytes[end] == '\r')
            ++end;
        if (end < m_bytes.size() && m_bytes[end] == '\n')
            ++end;
        m_pos = end;
        return line;
    }

private:
    const QByteArray &m_bytes;
    const QString m_fileName;
    qsizetype m_pos = 0;
};

std::optional<qint64> parseNumber(const QString &text)
{
    bool ok = false;
    const qint64 n = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(n) : std::nullopt;
}

qint64 numberOrThrow(const QString &text)
{
    const std::optional<qint64> n = parseNumber(text);
    if (!n)
        throw ParseError{ErrorInfo::typeMismatch(text)};
    return *n;
}

int checkOrThrow(const QString &text)
{
    const qint64 n = numberOrThrow(text);
    if (n < INT_MIN || n > INT_MAX)
        throw ParseError{ErrorInfo::typeMismatch(text)};
    return int(n);
}

bool flagOrThrow(const QString &text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return numberOrThrow(text) != 0;
}

// Reads a group of lines before any of them is applied, as the file has always been read.
QStringList readGroup(LineReader &in, int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        std::optional<QString> line = in.next();
        if (!line)
            throw ParseError{ErrorInfo::pastEndOfFile()};
        lines << *line;
    }
    return lines;
}

QString readLine(LineReader &in)
{
    return readGroup(in, 1).constFirst();
}

struct FontFields
{
    QString *name, *size, *color;
    int *underline, *bold, *italic;
    QColor *colorSwatch;
};

struct BackgroundFields
{
    QString *value;
    QColor *swatch;
    bool *isColor;
};

// Lines: background text, swatch number, flag (the group's first three).
void applyBackground(const QStringList &l, const BackgroundFields &f)
{
    *f.value = l[0];
    if (!l[1].isEmpty())
        *f.swatch = colorOfValue(numberOrThrow(l[1]));
    *f.isColor = flagOrThrow(l[2]);
}

// Lines: name, size, underline, bold, italic, colour text.
void applyFont(const QStringList &l, const FontFields &f)
{
    *f.name = l[0];
    *f.size = l[1];
    *f.underline = checkOrThrow(l[2]);
    *f.bold = checkOrThrow(l[3]);
    *f.italic = checkOrThrow(l[4]);
    *f.color = l[5];
    // Any text is a valid colour field; text that is no colour shows black.
    if (!l[5].isEmpty())
        *f.colorSwatch = SwatchColorOf(l[5]);
}

void applyLines(LineReader &in, WorkingSet &set, ProjectFile::ReadResult &result)
{
    PageStyleSettings &s = set.style;
    const QStringList page = readGroup(in, 12);
    s.title = page[0];
    s.backgroundSound = page[1];
    applyBackground(page.mid(2, 3),
                    {&s.mainBackground, &s.mainBackgroundSwatch, &s.mainBackgroundIsColor});
    applyFont(page.mid(5, 6),
              {&s.backFontName, &s.backFontSize, &s.backFontColor, &s.backFontUnderline,
               &s.backFontBold, &s.backFontItalic, &s.backFontColorSwatch});
    set.uploadFilePath = page[11];

    const QStringList link = readGroup(in, 9);
    applyBackground(link.mid(0, 3),
                    {&s.linkBackground, &s.linkBackgroundSwatch, &s.linkBackgroundIsColor});
    applyFont(link.mid(3, 6),
              {&s.linkFontName, &s.linkFontSize, &s.linkFontColor, &s.linkFontUnderline,
               &s.linkFontBold, &s.linkFontItalic, &s.linkFontColorSwatch});

    const QStringList names = readGroup(in, 4);
    set.logoPictureName = names[0];
    set.output.folder = names[1];
    set.output.baseName = names[2];
    set.images.setInfo(names[3]);

    const QStringList paths = readGroup(in, RememberedPaths::KeyCount);
    for (int k = 0; k < RememberedPaths::KeyCount; ++k)
        set.paths.replace(RememberedPaths::Key(k), paths[k]);

    if (readLine(in) != ListStart)
        return;
    result.listStarted = true;
    QString path = readLine(in);
    do {
        if (!set.images.append({path, QString()}))
            throw ParseError{{9, QStringLiteral("The Image List holds at most %1 images.")
                                     .arg(ImageList::MaxEntries)}};
        // The stored name as it stands: the file is not a person typing.
        set.images.setDisplayName(set.images.count() - 1, readLine(in));
        path = readLine(in);
    } while (path != ListEnd);
}

// The first value that holds a line break, which the line format could not read back.
std::optional<QString> valueWithLineBreak(const QStringList &values)
{
    for (const QString &v : values)
        if (v.contains(QLatin1Char('\r')) || v.contains(QLatin1Char('\n')))
            return v;
    return std::nullopt;
}
} // namespace

QString ProjectFile::decode(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    // Windows-1252: Latin-1 but for 0x80-0x9F.
    static const char16_t High[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    text.resize(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = uchar(bytes[i]);
        text[i] = (b >= 0x80 && b < 0xA0) ? QChar(High[b - 0x80]) : QChar(b);
    }
    return text;
}

QStringList ProjectFile::values(const WorkingSet &set)
{
    const PageStyleSettings &s = set.style;
    QStringList lines = {
        s.title,
        s.backgroundSound,
        s.mainBackground,
        numberText(colorValue(s.mainBackgroundSwatch)),
        flagText(s.mainBackgroundIsColor),
        s.backFontName,
        s.backFontSize,
        numberText(s.backFontUnderline),
        numberText(s.backFontBold),
        numberText(s.backFontItalic),
        s.backFontColor,
        set.uploadFilePath,
        s.linkBackground,
        numberText(colorValue(s.linkBackgroundSwatch)),
        flagText(s.linkBackgroundIsColor),
        s.linkFontName,
        s.linkFontSize,
        numberText(s.linkFontUnderline),
        numberText(s.linkFontBold),
        numberText(s.linkFontItalic),
        s.linkFontColor,
        set.logoPictureName,
        set.output.folder,
        set.output.baseName,
        set.images.info(),
    };
    for (int k = 0; k < RememberedPaths::KeyCount; ++k)
        lines << set.paths.value(RememberedPaths::Key(k));
    if (!set.images.isEmpty()) {
        lines << ListStart;
        for (const ImageEntry &e : set.images.entries())
            lines << e.path << e.displayName;
    }
    lines << ListEnd;
    return lines;
}

QByteArray ProjectFile::serialize(const WorkingSet &set)
{
    // The empty value last, so the last line ends in CR LF too.
    return (values(set) << QString()).join(QLatin1String("\r\n")).toUtf8();
}

ProjectFile::ReadResult ProjectFile::apply(const QByteArray &bytes, WorkingSet &set,
                                           const QString &fileName)
{
    ReadResult result;
    LineReader in(bytes, fileName);
    try {
        applyLines(in, set, result);
    } catch (const ParseError &e) {
        result.error = e.info;
    }
    return result;
}

void ProjectFile::NewProject(WorkingSet &set, const QString &appFolder)
{
    set.style = PageStyleSettings::afterNew();
    set.images.ClearImageList();
    set.images.setInfo(QString());
    set.logoPictureName.clear();
    set.output = {};
    set.paths.reset(appFolder);
}

Dialogs::FileRequest ProjectFile::fileRequest(const WorkingSet &set, const QString &appFolder) const
{
    Dialogs::FileRequest request;
    request.title = AppText::AppTitle;
    request.filter = QStringLiteral("Lumora File (*.lwp)|*.lwp|All (*.*)|*.*");
    request.defaultExtension = QStringLiteral("LWP");
    request.initialFolder = appFolder;
    request.fileName = set.paths.value(RememberedPaths::Lwp);
    return request;
}

void ProjectFile::showError(const QString &headline, const ErrorInfo &error)
{
    m_dialogs.message(error.messageAfter(headline), Dialogs::Icon::Exclamation);
}

std::variant<QByteArray, ErrorInfo> ProjectFile::readFile(const QString &name)
{
    if (const std::optional<ErrorInfo> special = ErrorInfo::specialFile(name))
        return *special;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return ErrorInfo::fromFile(file);
    if (file.size() > MaxFileBytes)
        return ErrorInfo::outOfMemory(name);
    // The size as measured: what the file grows by meanwhile is not read.
    const QByteArray bytes = file.read(file.size());
    if (file.error() != QFileDevice::NoError)
        return ErrorInfo::fromFile(file);
    return bytes;
}

ProjectFile::Outcome ProjectFile::LoadProject(WorkingSet &set, const QString &appFolder)
{
    const std::optional<QString> name = m_dialogs.openFile(fileRequest(set, appFolder));
    if (!name)
        return Outcome::Cancelled;
    set.paths.replace(RememberedPaths::Lwp, *name);
    if (name->trimmed().isEmpty())
        return Outcome::Cancelled;
    set.images.ClearImageList();

    const std::variant<QByteArray, ErrorInfo> read = readFile(*name);
    if (const auto *error = std::get_if<ErrorInfo>(&read)) {
        showError(QStringLiteral("Error Loading Lumora File!"), *error);
        return Outcome::Failed;
    }
    const ReadResult result = apply(std::get<QByteArray>(read), set, *name);
    if (result.error) {
        showError(QStringLiteral("Error Loading Lumora File!"), *result.error);
        return Outcome::Failed;
    }
    if (!result.listStarted) {
        m_dialogs.message(QStringLiteral("Invalid or Empty Lumora File!"),
                          Dialogs::Icon::Exclamation);
        return Outcome::InvalidOrEmpty;
    }
    return Outcome::Completed;
}

std::optional<ErrorInfo> ProjectFile::writeFile(const QString &name, const WorkingSet &set)
{
    // Written beside the old file and swapped in, so a failed save keeps the old project;
    // unbuffered, so a short write (disk full) shows here instead of vanishing in a flush.
    if (const std::optional<QString> broken = valueWithLineBreak(values(set)))
        return ErrorInfo::lineBreakInValue(*broken);
    if (const std::optional<ErrorInfo> special = ErrorInfo::specialFile(name))
        return *special;
    QSaveFile file(name);
    const QByteArray bytes = serialize(set);
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && WriteAll(file, bytes) &&
        file.commit())
        return std::nullopt;
    const ErrorInfo error = ErrorInfo::fromFile(file);
    file.cancelWriting();
    return error;
}

ProjectFile::Outcome ProjectFile::SaveProject(WorkingSet &set, const QString &appFolder)
{
    Dialogs::FileRequest request = fileRequest(set, appFolder);
    request.overwritePrompt = true;
    const std::optional<QString> chosen = m_dialogs.saveFile(request);
    if (!chosen)
        return Outcome::Cancelled;
    if (chosen->trimmed().isEmpty()) {
        m_dialogs.message(QStringLiteral("Save Lumora File Cancelled!"),
                          Dialogs::Icon::Exclamation);
        return Outcome::Cancelled;
    }
    QString name = *chosen;
    if (name.right(4).toLower() != QLatin1String(".lwp"))
        name += QLatin1String(".lwp");
    set.paths.replace(RememberedPaths::Lwp, *chosen);

    if (const std::optional<ErrorInfo> error = writeFile(name, set)) {
        showError(QStringLiteral("Error Saving Lumora File!"), *error);
        return Outcome::Failed;
    }
    m_dialogs.message(QStringLiteral("Save Lumora File Completed!"), Dialogs::Icon::Information);
    return Outcome::Completed;
}
