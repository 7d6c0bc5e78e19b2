#pragma once

#include "core/Dialogs.h"

#include <QAction>
#include <QFileInfo>
#include <QWidget>
#include <utility>

// The window's dialogs (Base) at start: a project named on the command line is loaded as
// File > Load would load it, its file dialog answered with that name and not shown; every
// other dialog, and every later Load, is Base's own.
template <typename Base> class StartupDialogs : public Base
{
public:
    using Base::Base;

    // Triggers the window's "mnuLoad" command with fileName as the chosen file.
    void loadProject(QWidget &window, const QString &fileName)
    {
        auto *load = window.findChild<QAction *>(QStringLiteral("mnuLoad"));
        if (!load)
            return;
        // Relative names are the caller's working folder's, not the program's.
        m_chosen = QFileInfo(fileName).absoluteFilePath();
        load->trigger();
        // A load that asked no file dialog must not leave the name for a later one.
        m_chosen.reset();
    }

    std::optional<QString> openFile(const Dialogs::FileRequest &request) override
    {
        if (m_chosen)
            return std::exchange(m_chosen, std::nullopt);
        return Base::openFile(request);
    }

private:
    std::optional<QString> m_chosen;
};
