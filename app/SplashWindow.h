#pragma once

#include <QWidget>

class QLabel;
class QTimer;

// The window shown first. It closes at the first of: six seconds, a key press, a
// click on its picture; then it reports finished() once.
class SplashWindow : public QWidget
{
    Q_OBJECT
public:
    explicit SplashWindow(QWidget *parent = nullptr);

    static QString versionText();

signals:
    void finished();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void finish();

    QLabel *animation1;
    QLabel *lblVersion;
    QTimer *Timer1;
    bool m_done = false;
};
