#pragma once

#include <QString>
#include <QStringList>

// Which of the files a job means to send the server confirmed. A job that ends with any of
// them unconfirmed must not say it is complete.
class UploadTally
{
public:
    // Names listed in the message; the rest are counted.
    static constexpr int NamesShown = 10;

    void clear() { *this = UploadTally(); }
    void confirmed() { ++m_meant; }
    void failed(const QString &localName);

    bool complete() const { return m_failed.isEmpty(); }
    int meant() const { return m_meant; }
    const QStringList &failedNames() const { return m_failed; }

    // "FTP Upload Incomplete: N of M files not uploaded."
    QString statusLine() const;
    // "FTP Upload Incomplete!", the count, then the first names one a line.
    QString message() const;

private:
    int m_meant = 0;
    QStringList m_failed;
};
