#include "ravelscript/RavelScript.h"

#include "ravel/CRavelCtrl.h"
#include "ravel/RavelDispatch.h"
#include "ravel/RavelPersistence.h"

#include <QEventLoop>
#include <QRegularExpression>
#include <QTimer>

RavelScript::RavelScript(CRavelCtrl &ctrl, Output output)
    : m_ctrl(ctrl), m_output(std::move(output))
{
    connectEvents();
}

void RavelScript::connectEvents()
{
    QObject::connect(&m_ctrl, &CRavelCtrl::OnHostResponse,
                     [this](int code, const QString &command, const QString &response) {
                         printEvent(QStringLiteral("OnHostResponse"), {code, command, response});
                     });
    QObject::connect(&m_ctrl, &CRavelCtrl::OnDirList,
                     [this](const QString &line, bool complete, int code) {
                         printEvent(QStringLiteral("OnDirList"), {line, complete, code});
                     });
    QObject::connect(&m_ctrl, &CRavelCtrl::OnLogin,
                     [this](int code) { printEvent(QStringLiteral("OnLogin"), {code}); });
    QObject::connect(&m_ctrl, &CRavelCtrl::OnFTPError, [this](int code, const QString &text) {
        printEvent(QStringLiteral("OnFTPError"), {code, text});
    });
    QObject::connect(
        &m_ctrl, &CRavelCtrl::OnAsyncEvent,
        [this](qint64 size, qint64 bytes, const QString &command, bool complete) {
            printEvent(QStringLiteral("OnAsyncEvent"), {size, bytes, command, complete});
        });
}

void RavelScript::printEvent(const QString &name, const QVariantList &args)
{
    QStringList parts{QStringLiteral("event"), name};
    for (const QVariant &arg : args)
        parts << format(arg);
    m_output(parts.join(QLatin1Char(' ')));
}

void RavelScript::run(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')))
        return;
    const std::optional<QStringList> words = split(trimmed);
    if (!words) {
        syntax(trimmed);
        return;
    }
    const QString &keyword = words->first();
    if (keyword == QLatin1String("set") || keyword == QLatin1String("get") ||
        keyword == QLatin1String("call")) {
        access(*words);
    } else if (keyword == QLatin1String("wait") && words->size() == 2) {
        bool ok = false;
        const double seconds = words->at(1).toDouble(&ok);
        // Refuses infinity and NaN too; anything longer would not fit a timer.
        ok &&seconds >= 0 && seconds <= MaxWaitSeconds ? waitFor(int(seconds * 1000))
                                                       : syntax(trimmed);
    } else if (keyword == QLatin1String("waitidle") && words->size() == 1) {
        waitIdle();
    } else if ((keyword == QLatin1String("load") || keyword == QLatin1String("save")) &&
               words->size() == 2) {
        const std::optional<QVariant> file = parseLiteral(words->at(1));
        file && file->typeId() == QMetaType::QString
            ? persist(keyword == QLatin1String("save"), file->toString())
            : syntax(trimmed);
    } else {
        syntax(trimmed);
    }
}

void RavelScript::persist(bool save, const QString &fileName)
{
    QString error;
    if (save) {
        if (!RavelPersistence::save(m_ctrl).saveFile(fileName, &error)) {
            m_output(QStringLiteral("error 75 ") + format(error));
            return;
        }
        m_output(QStringLiteral("="));
        return;
    }
    const std::optional<RavelPropertyBag> bag = RavelPropertyBag::loadFile(fileName, &error);
    const RavelPersistence::LoadResult loaded =
        bag ? RavelPersistence::load(m_ctrl, *bag) : RavelPersistence::LoadResult{};
    if (!loaded.loaded) {
        m_output(QStringLiteral("error 75 ") + format(bag ? loaded.error : error));
        return;
    }
    // Values that could not be used took their defaults; the host should know which.
    m_output(loaded.defaulted.isEmpty()
                 ? QStringLiteral("=")
                 : QStringLiteral("= ") + format(loaded.defaulted.join(QLatin1Char(' '))));
}

void RavelScript::syntax(const QString &what)
{
    m_output(QStringLiteral("syntax ") + format(what));
}

void RavelScript::access(const QStringList &words)
{
    const QString &keyword = words.first();
    const bool set = keyword == QLatin1String("set");
    if (words.size() < 2 || (set && words.size() != 3) ||
        (keyword == QLatin1String("get") && words.size() != 2)) {
        syntax(words.join(QLatin1Char(' ')));
        return;
    }
    QVariantList args;
    for (const QString &word : words.mid(2)) {
        const std::optional<QVariant> literal = parseLiteral(word);
        if (!literal) {
            syntax(word);
            return;
        }
        args << *literal;
    }
    const QString &name = words[1];
    const RavelDispatch::Kind kind = set                               ? RavelDispatch::Kind::Put
                                     : keyword == QLatin1String("get") ? RavelDispatch::Kind::Get
                                                                       : RavelDispatch::Kind::Call;
    RavelDispatch::Result result;
    if (name.startsWith(QLatin1Char('#'))) {
        bool ok = false;
        const int dispid = name.mid(1).toInt(&ok);
        if (!ok) {
            syntax(name);
            return;
        }
        result = RavelDispatch::invoke(m_ctrl, dispid, kind, args);
    } else {
        result = RavelDispatch::invoke(m_ctrl, name, kind, args);
    }
    if (result.error) {
        m_output(QStringLiteral("error %1 %2")
                     .arg(result.error->number())
                     .arg(format(result.error->description())));
        return;
    }
    m_output(result.value.isValid() ? QStringLiteral("= ") + format(result.value)
                                    : QStringLiteral("="));
    for (const QVariant &reference : result.references)
        m_output(QStringLiteral("& ") + format(reference));
}

void RavelScript::waitFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void RavelScript::waitIdle()
{
    if (!m_ctrl.StillExecuting())
        return;
    QEventLoop loop;
    QTimer quiet;
    quiet.setSingleShot(true);
    QObject::connect(&quiet, &QTimer::timeout, &loop, &QEventLoop::quit);
    // The busy flag changes while a notification is handled: look once it is done.
    QObject::connect(&m_ctrl, &CRavelCtrl::activity, &loop, [&] {
        quiet.start();
        QMetaObject::invokeMethod(
            &loop,
            [&] {
                if (!m_ctrl.StillExecuting())
                    loop.quit();
            },
            Qt::QueuedConnection);
    });
    quiet.start(m_ctrl.TimeOut() * 1000);
    loop.exec();
}

std::optional<QStringList> RavelScript::split(const QString &line)
{
    QStringList words;
    qsizetype i = 0;
    while (i < line.size()) {
        if (line[i].isSpace()) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        if (line[i] == QLatin1Char('"')) {
            for (++i; i < line.size() && line[i] != QLatin1Char('"'); ++i)
                if (line[i] == QLatin1Char('\\'))
                    ++i;
            if (i >= line.size())
                return std::nullopt;
            ++i;
        } else {
            while (i < line.size() && !line[i].isSpace())
                ++i;
        }
        words << line.mid(start, i - start);
    }
    return words;
}

std::optional<QVariant> RavelScript::parseLiteral(const QString &token)
{
    if (token == QLatin1String("True"))
        return QVariant(true);
    if (token == QLatin1String("False"))
        return QVariant(false);
    if (token == QLatin1String("-"))
        return QVariant();
    static const QRegularExpression integer(QStringLiteral("^[-+]?[0-9]+$"));
    if (integer.match(token).hasMatch()) {
        bool ok = false;
        const qlonglong value = token.toLongLong(&ok);
        if (!ok)
            return std::nullopt;
        return value >= INT_MIN && value <= INT_MAX ? QVariant(int(value)) : QVariant(value);
    }
    if (token.size() < 2 || !token.startsWith(QLatin1Char('"')) ||
        !token.endsWith(QLatin1Char('"')))
        return std::nullopt;
    const QString body = token.mid(1, token.size() - 2);
    QString text;
    for (qsizetype i = 0; i < body.size(); ++i) {
        if (body[i] != QLatin1Char('\\')) {
            text += body[i];
            continue;
        }
        if (++i >= body.size())
            return std::nullopt;
        switch (body[i].unicode()) {
        case 'n':
            text += QLatin1Char('\n');
            break;
        case 'r':
            text += QLatin1Char('\r');
            break;
        case 't':
            text += QLatin1Char('\t');
            break;
        case '0':
            text += QChar(0);
            break;
        case '"':
        case '\\':
        case '\'':
            text += body[i];
            break;
        default:
            return std::nullopt;
        }
    }
    return QVariant(text);
}

QString RavelScript::format(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::QString: {
        QString quoted = QStringLiteral("\"");
        for (const QChar c : value.toString()) {
            switch (c.unicode()) {
            case '\n':
                quoted += QLatin1String("\\n");
                break;
            case '\r':
                quoted += QLatin1String("\\r");
                break;
            case '"':
                quoted += QLatin1String("\\\"");
                break;
            case '\\':
                quoted += QLatin1String("\\\\");
                break;
            case 0:
                // Read back as the same literal; a raw NUL would cut the line for many readers.
                quoted += QLatin1String("\\0");
                break;
            default:
                quoted += c;
            }
        }
        return quoted + QLatin1Char('"');
    }
    default:
        return value.toString();
    }
}
