#include "RavelCommand.h"

#include "CRavelCtrl.h"
#include "CommandLine.h"
#include "RavelScript.h"

#include <cstdio>
#include <iostream>
#include <string>

int runRavelCommand(const QStringList &arguments)
{
    CommandLine cli(arguments, {}, {});
    if (!cli.ok())
        return cli.usage(QStringLiteral("lumora ravel < SCRIPT"));

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
