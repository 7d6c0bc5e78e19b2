#pragma once

#include <QWidget>

class QLabel;

// The picture preview beside the step buttons: a caption and the picture, or the
// program's logo whenever no picture is shown.
class PreviewArea : public QWidget
{
    Q_OBJECT
public:
    explicit PreviewArea(QWidget *parent = nullptr);

    void showLogo();
    // Shows the picture under the caption; a file that cannot be shown is ignored
    // and the preview keeps what it showed. Returns whether it was shown.
    bool showPicture(const QString &path, const QString &caption);
    // A picture that is no file, such as a scan; it keeps the caption.
    void showImage(const QImage &picture);
    bool showsLogo() const;
    QString caption() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QLabel *lblImage;
    QLabel *ImagePreview;
    QLabel *imgLogo;
};
