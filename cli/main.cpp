#include "cli/GenerateCommand.h"
#include "cli/RavelCommand.h"
#include "cli/UploadCommand.h"

#include <QCoreApplication>
#include <cstdio>
#include <functional>
#include <map>

namespace {
const char *const Usage = "usage: lumora generate|upload|ravel [options]\n";
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lumora"));
    const std::map<QString, std::function<int(const QStringList &)>> commands = {
        {QStringLiteral("generate"), runGenerateCommand},
        {QStringLiteral("ravel"), runRavelCommand},
        {QStringLiteral("upload"), runUploadCommand},
    };
    const QStringList args = app.arguments().mid(1);
    const auto command = args.isEmpty() ? commands.end() : commands.find(args.first());
    if (command == commands.end()) {
        std::fputs(Usage, stderr);
        return 2;
    }
    return command->second(args.mid(1));
}
