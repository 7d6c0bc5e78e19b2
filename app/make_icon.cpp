// Writes the program's icon as a PNG file for installation.
#include "shell/Artwork.h"

#include <QGuiApplication>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 3)
        return 2;
    return Artwork::icon(QByteArray(argv[2]).toInt()).save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
