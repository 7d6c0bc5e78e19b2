#include "cli/RavelCommand.h"

#include "cli/CommandLine.h"
#include "ravel/CRavelCtrl.h"
#include "ravel/RavelExports.h"
#include "ravel/RavelRegistry.h"
#include "ravelscript/RavelScript.h"

#include <cstdio>
#include <iostream>
#include <string>

namespace {
int registration(bool unregister)
{
    const qint32 result = unregister ? RavelUnregisterServer() : RavelRegisterServer();
    const QByteArray file = RavelRegistry::fileName().toLocal8Bit();
    if (result != RavelRegistry::Ok) {
        std::fprintf(stderr, "lumora: %s failed (0x%08X) in %s\n",
                     unregister ? "unregistering" : "registering", quint32(result),
                     file.constData());
        return 1;
    }
    std::printf("%s %s\n", unregister ? "unregistered from" : "registered in", file.constData());
    return 0;
}
} // namespace

int runRavelCommand(const QStringList &arguments)
{
    CommandLine cli(
        {QStringLiteral("lumora ravel"),
         QStringLiteral("Runs the Ravel FTP component as a script host. Statements come one a\n"
                        "line on standard input: set NAME VALUE, get NAME, call NAME [ARG ...]\n"
                        "(#DISPID for a NAME), wait S, waitidle, save \"FILE\", load \"FILE\".\n"
                        "Each result and each event is one line on standard output."),
         {{"register", "", "Enter the component in $XDG_DATA_HOME/Ravel/registry.ini and exit."},
          {"unregister", "", "Remove the component from that file and exit."}}},
        arguments);
    if (cli.answered())
        return 0;
    const bool reg = cli.has(QStringLiteral("register"));
    const bool unreg = cli.has(QStringLiteral("unregister"));
    if (reg && unreg)
        cli.fail(QStringLiteral("--register and --unregister exclude each other"));
    if (!cli.ok())
        return cli.usage();
    if (reg || unreg)
        return registration(unreg);

    CRavelCtrl ctrl;
    RavelScript script(ctrl, [](const QString &line) {
        std::fputs(line.toUtf8().append('\n').constData(), stdout);
        std::fflush(stdout);
    });
    std::string line;
    while (std::getline(std::cin, line))
        script.run(QString::fromStdString(line));
    return 0;
}
