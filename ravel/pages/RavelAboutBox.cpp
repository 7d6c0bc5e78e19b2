#include "ravel/pages/RavelAboutBox.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

RavelAboutBox::RavelAboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("RavelAboutBox"));
    setWindowTitle(QStringLiteral("About Ravel Control"));
    auto *bitmap = new QLabel(this);
    bitmap->setPixmap(QPixmap(QStringLiteral(":/ravel/Ravel.png")));
    auto *version = new QLabel(QStringLiteral("Ravel Threaded, Version ALPHA"), this);
    version->setObjectName(QStringLiteral("version"));
    auto *maker = new QLabel(QStringLiteral("FTP client component of Lumora.\n"
                                            "Copyright \u00A9 the Lumora developers."),
                             this);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto *layout = new QGridLayout(this);
    layout->addWidget(bitmap, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(version, 0, 1);
    layout->addWidget(maker, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
