#pragma once

#include "generator/AlbumGenerator.h"
#include "generator/PageStyleSettings.h"
#include "generator/RememberedPaths.h"
#include "images/ImageList.h"

// The album being worked on, as the main window owns it and the project file stores it.
struct WorkingSet
{
    PageStyleSettings style = PageStyleSettings::atStartup();
    RememberedPaths paths;
    ImageList images;
    OutputLocation output;
    // Carried through project files only.
    QString logoPictureName = QStringLiteral("Lumora.jpg");
    // The main page the upload sends (the upload panel's path field).
    QString uploadFilePath;
};
