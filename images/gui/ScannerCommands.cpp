#include "images/gui/ScannerCommands.h"

#include "core/AppText.h"
#include "core/Dialogs.h"
#include "images/gui/ScannerSourceDialog.h"
#include "project/SettingsStore.h"

#include <QApplication>
#include <QClipboard>

const QString ScannerCommands::SettingsSection = QStringLiteral("Scanner");
const QString ScannerCommands::SourceKey = QStringLiteral("Source");

ScannerCommands::ScannerCommands(Dialogs &dialogs, QWidget *window, const QString &libraryName,
                                 QObject *parent)
    : QObject(parent), m_dialogs(dialogs), m_window(window), m_scanner(libraryName)
{
    connect(&m_scanner, &ScannerImport::failed, this, [this](const ErrorInfo &error) {
        endWait();
        m_dialogs.message(QStringLiteral("%1 : %2").arg(error.number).arg(error.description),
                          AppText::AppTitle, Dialogs::Icon::None, Dialogs::Buttons::Ok);
    });
    connect(&m_scanner, &ScannerImport::sourcesListed, this, [this](const ScannerDevices &list) {
        endWait();
        if (const auto chosen = ScannerSourceDialog::choose(list, source(), m_window))
            SettingsStore().Write(SettingsSection, SourceKey, *chosen);
    });
    connect(&m_scanner, &ScannerImport::nothingAcquired, this, &ScannerCommands::endWait);
    connect(&m_scanner, &ScannerImport::acquired, this, [this](const QImage &picture) {
        endWait();
        QApplication::clipboard()->setImage(picture);
        emit pictureAcquired(picture);
    });
}

QString ScannerCommands::source() const
{
    return SettingsStore().Read(SettingsSection, SourceKey, QString());
}

void ScannerCommands::SelectSource()
{
    start([this] { m_scanner.ListSources(); });
}

void ScannerCommands::Acquire()
{
    start([this] { m_scanner.Acquire(source()); });
}

void ScannerCommands::start(const std::function<void()> &job)
{
    if (m_scanner.isBusy())
        return;
    job();
    m_waiting = true;
    QApplication::setOverrideCursor(Qt::BusyCursor);
}

void ScannerCommands::endWait()
{
    if (std::exchange(m_waiting, false))
        QApplication::restoreOverrideCursor();
}
