#include "ravel/RavelPropertyBag.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Values may hold line breaks (a password, a path); they must not end the line.
QString escaped(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else
            out += c;
    }
    return out;
}

std::optional<QString> unescaped(const QString &text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('\\')) {
            out += text[i];
            continue;
        }
        if (++i >= text.size())
            return std::nullopt;
        switch (text[i].unicode()) {
        case '\\':
            out += QLatin1Char('\\');
            break;
        case 'n':
            out += QLatin1Char('\n');
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        default:
            return std::nullopt;
        }
    }
    return out;
}

} // namespace

void RavelPropertyBag::write(const QString &key, const QString &value)
{
    for (auto &entry : m_entries) {
        if (entry.first == key) {
            entry.second = value;
            return;
        }
    }
    m_entries.append({key, value});
}

std::optional<QString> RavelPropertyBag::read(const QString &key) const
{
    for (const auto &entry : m_entries)
        if (entry.first == key)
            return entry.second;
    return std::nullopt;
}

QStringList RavelPropertyBag::keys() const
{
    QStringList out;
    for (const auto &entry : m_entries)
        out << entry.first;
    return out;
}

QString RavelPropertyBag::toText() const
{
    QString text;
    for (const auto &entry : m_entries)
        text += entry.first + QLatin1Char('=') + escaped(entry.second) + QLatin1String("\r\n");
    return text;
}

std::optional<RavelPropertyBag> RavelPropertyBag::fromText(const QString &text, QString *error)
{
    RavelPropertyBag bag;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QString line = lines[n];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        const std::optional<QString> value =
            eq > 0 ? unescaped(line.mid(eq + 1)) : std::optional<QString>();
        if (!value) {
            *error = QStringLiteral("line %1 is not Key=value").arg(n + 1);
            return std::nullopt;
        }
        bag.write(line.left(eq).trimmed(), *value);
    }
    return bag;
}

bool RavelPropertyBag::saveFile(const QString &path, QString *error) const
{
    QSaveFile file(path);
    // Only the owner may read it: it holds the password.
    if (!file.open(QIODevice::WriteOnly) || ::fchmod(file.handle(), S_IRUSR | S_IWUSR) != 0 ||
        file.write(toText().toUtf8()) < 0 || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

std::optional<RavelPropertyBag> RavelPropertyBag::loadFile(const QString &path, QString *error)
{
    // Without blocking: a FIFO would wait for a writer that may never come.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return std::nullopt;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *error = file.errorString();
        return std::nullopt;
    }
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        *error = QStringLiteral("not a regular file");
        return std::nullopt;
    }
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (bytes.size() > MaxFileSize) {
        *error = QStringLiteral("larger than %1 bytes").arg(MaxFileSize);
        return std::nullopt;
    }
    return fromText(QString::fromUtf8(bytes), error);
}
