#include "tests/support/ProgramRun.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

// What lumora and each of its commands say about themselves (--help, --version), and how
// they refuse a mistake.
class tst_LumoraHelp : public QObject
{
    Q_OBJECT
private slots:
    void help_data();
    void help();
    void usageErrors_data();
    void usageErrors();
};

namespace {
// None of these runs writes a file, wherever it stands.
ProgramRun lumora(const QStringList &args)
{
    return ProgramRun::of("lumora", args, QDir::tempPath());
}
} // namespace

void tst_LumoraHelp::help_data()
{
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<QString>("usage");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("mentions");

    QTest::newRow("lumora") << QStringList{} << "usage: lumora COMMAND [options]\n"
                            << QStringList{} << QStringList{"generate", "upload", "ravel"};
    QTest::newRow("generate")
        << QStringList{"generate"}
        << "usage: lumora generate --project FILE.lwp --layout WORD --output PATH [options]\n"
        << QStringList{"project", "layout", "output", "autospace"}
        << QStringList{"frame, framethumb, thumb, lrscroll, udscroll, gallery"};
    // Help and version come before the missing --project and --host.
    QTest::newRow("upload") << QStringList{"upload", "--port", "1"}
                            << "usage: lumora upload --project FILE.lwp --host HOST [options]\n"
                            << QStringList{"project",       "host",          "port",     "user",
                                           "password-file", "path",          "page",     "passive",
                                           "autospace",     "timeout",       "remember", "log",
                                           "changed-only",  "delete-removed"}
                            << QStringList{};
    QTest::newRow("ravel") << QStringList{"ravel"} << "usage: lumora ravel [options]\n"
                           << QStringList{"register", "unregister"} << QStringList{"waitidle"};
}

void tst_LumoraHelp::help()
{
    QFETCH(QStringList, command);
    QFETCH(QString, usage);
    QFETCH(QStringList, options);
    QFETCH(QStringList, mentions);
    const ProgramRun run = lumora(command + QStringList{"--help"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QString());
    QVERIFY2(run.out.startsWith(usage), qPrintable(run.out));
    // Every command answers --help and --version besides its own options.
    for (const QString &option : options + QStringList{"help", "version"}) {
        // The option, its value if any, then its meaning on the same line.
        const QRegularExpression line("^  (-h, )?--" + QRegularExpression::escape(option) +
                                          "( <[^>]+>)? +\\S",
                                      QRegularExpression::MultilineOption);
        QVERIFY2(run.out.contains(line), qPrintable(option + " is not explained in\n" + run.out));
    }
    // Qt wraps the meanings at 79 columns.
    for (const QString &mention : mentions)
        QVERIFY2(run.out.simplified().contains(mention), qPrintable(mention));

    const ProgramRun version = lumora(command + QStringList{"--version"});
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.out, QString("lumora %1.%2.%3\n")
                              .arg(LUMORA_VERSION_MAJOR)
                              .arg(LUMORA_VERSION_MINOR)
                              .arg(LUMORA_VERSION_PATCH));
}

void tst_LumoraHelp::usageErrors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("err");

    const QString upload = "usage: lumora upload --project FILE.lwp --host HOST [options]\n"
                           "'lumora upload --help' tells every option.\n";
    const QStringList site{"upload", "--project", "p.lwp", "--host", "h"};
    QTest::newRow("no command") << QStringList{}
                                << "lumora: missing command\nusage: lumora COMMAND [options]\n";
    QTest::newRow("unknown option before a command")
        << QStringList{"--frob", "upload"} << "lumora: Unknown option 'frob'.\nusage: lumora ";
    QTest::newRow("missing host") << QStringList{"upload", "--project", "p.lwp"}
                                  << "lumora: missing --host\n" + upload;
    QTest::newRow("port out of range")
        << site + QStringList{"--port", "40000"} << "lumora: --port takes 0 to 32768\n" + upload;
    QTest::newRow("timeout that is no number")
        << site + QStringList{"--timeout", "soon"}
        << "lumora: --timeout takes 0 to 32767 seconds\n" + upload;
    QTest::newRow("delete-removed alone")
        << site + QStringList{"--delete-removed"}
        << "lumora: --delete-removed needs --changed-only\n" + upload;
    QTest::newRow("option without its value")
        << site + QStringList{"--log"} << "lumora: Missing value after '--log'.\n" + upload;
    QTest::newRow("word after the options")
        << site + QStringList{"extra"} << "lumora: unknown argument extra\n" + upload;
    QTest::newRow("register and unregister")
        << QStringList{"ravel", "--register", "--unregister"}
        << "lumora: --register and --unregister exclude each other\n"
           "usage: lumora ravel [options]\n";
}

void tst_LumoraHelp::usageErrors()
{
    QFETCH(QStringList, args);
    QFETCH(QString, err);
    const ProgramRun run = lumora(args);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith(err), qPrintable(run.err));
    QCOMPARE(run.out, QString());
}

QTEST_GUILESS_MAIN(tst_LumoraHelp)
#include "tst_LumoraHelp.moc"
