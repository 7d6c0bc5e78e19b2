#pragma once

#include <QDialog>
#include <functional>

class QPlainTextEdit;

// The FTP session log: a copy of the status transcript, taken when it opens.
class frmFtpSession : public QDialog
{
    Q_OBJECT
public:
    explicit frmFtpSession(QWidget *parent = nullptr);

    // ShowFtpSessionLog: caption " for " the URL, the transcript, modal.
    static void ShowFtpSessionLog(QWidget *parent, const QString &url, const QString &transcript,
                                  const std::function<void(frmFtpSession &)> &shown = {});

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QPlainTextEdit *m_txtSessionLog;
};
