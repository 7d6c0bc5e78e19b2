#pragma once

#include <QObject>
#include <QString>

// Drops typed characters that a field refuses. Pasted text is not filtered.
class KeyFilter : public QObject
{
    Q_OBJECT
public:
    KeyFilter(const QString &refused, QObject *parent);

    // Installs a filter refusing the characters on each widget.
    static void install(const QString &refused, const QList<QWidget *> &widgets);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString m_refused;
};
