#include "shell/LayoutPicture.h"

#include "shell/Artwork.h"

#include <QMouseEvent>

LayoutPicture::LayoutPicture(const QString &word, QWidget *parent) : QLabel(parent), m_word(word)
{
    setPixmap(QPixmap::fromImage(Artwork::layoutPreview(word)));
    setFrameStyle(QFrame::NoFrame);
    setLineWidth(2);
    // The frame is drawn around the picture; keep room for it so nothing shifts.
    setMargin(0);
    setContentsMargins(2, 2, 2, 2);
    setCursor(Qt::PointingHandCursor);
}

void LayoutPicture::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        setFrameStyle(QFrame::Panel | QFrame::Raised);
    QLabel::mousePressEvent(event);
}

void LayoutPicture::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QLabel::mouseReleaseEvent(event);
        return;
    }
    setFrameStyle(QFrame::NoFrame);
    setContentsMargins(2, 2, 2, 2);
    if (rect().contains(event->position().toPoint()))
        emit chosen(m_word);
}
