#pragma once

#include "images/ScannerImport.h"

#include <QObject>

class Dialogs;
class QWidget;

// The File menu's scanner commands, "S&elect Source" and "Ac&quire". A failure shows
// "number : description"; a cancelled or failed scan shows nothing and changes nothing.
// The chosen source is remembered in the settings store.
class ScannerCommands : public QObject
{
    Q_OBJECT
public:
    static const QString SettingsSection;
    static const QString SourceKey;

    ScannerCommands(Dialogs &dialogs, QWidget *window,
                    const QString &libraryName = QStringLiteral("sane"), QObject *parent = nullptr);

    ScannerImport &scanner() { return m_scanner; }
    QString source() const;

public slots:
    void SelectSource();
    void Acquire();

signals:
    // The scanned picture, already on the clipboard: for the preview area.
    void pictureAcquired(const QImage &picture);

private:
    void start(const std::function<void()> &job);
    void endWait();

    Dialogs &m_dialogs;
    QWidget *m_window;
    ScannerImport m_scanner;
    bool m_waiting = false;
};
