#pragma once

#include <QLabel>

// A clickable layout preview: raised while the left button is held on it.
class LayoutPicture : public QLabel
{
    Q_OBJECT
public:
    LayoutPicture(const QString &word, QWidget *parent);

    QString word() const { return m_word; }

signals:
    void chosen(const QString &word);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QString m_word;
};
