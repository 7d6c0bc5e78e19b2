#include "shell/ImageListPanel.h"

#include "core/AppText.h"
#include "core/Dialogs.h"
#include "images/ImageList.h"
#include "shell/PreviewArea.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QUrl>
#include <algorithm>

namespace {
class BusyPointer
{
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::BusyCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;
};

const QString PreviewCaption = QStringLiteral("ImageList Pre-View");
} // namespace

ImageListPanel::ImageListPanel(ImageList &images, Dialogs &dialogs, PreviewArea *preview,
                               QWidget *focusSink, QWidget *parent)
    : QGroupBox(QStringLiteral("Selected Image List"), parent), m_images(images),
      m_dialogs(dialogs), m_preview(preview), m_focusSink(focusSink)
{
    setObjectName(QStringLiteral("frameImageList"));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);

    lstImageListA[0] = makeList(0, QStringLiteral("The list of images that will be used when "
                                                  "generating the Lumora web page files."));
    lstImageListA[1] = makeList(1, QStringLiteral("The list of images names that will be used "
                                                  "when generating the Lumora web page files."));
    lstImageListA[0]->setTextElideMode(Qt::ElideLeft);
    grid->addWidget(new QLabel(QStringLiteral("Display Name"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Image File Path"), this), 0, 1);
    grid->addWidget(lstImageListA[1], 1, 0, 2, 1);
    grid->addWidget(lstImageListA[0], 1, 1, 2, 1);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 3);

    cmdUpA = new QToolButton(this);
    cmdUpA->setObjectName(QStringLiteral("cmdUpA"));
    cmdUpA->setArrowType(Qt::UpArrow);
    cmdUpA->setToolTip(QStringLiteral("Move selected file UP one position in the Image List."));
    connect(cmdUpA, &QToolButton::clicked, this, [this] { move(true); });
    cmdDownA = new QToolButton(this);
    cmdDownA->setObjectName(QStringLiteral("cmdDownA"));
    cmdDownA->setArrowType(Qt::DownArrow);
    cmdDownA->setToolTip(QStringLiteral("Move selected file DOWN one position in the Image List."));
    connect(cmdDownA, &QToolButton::clicked, this, [this] { move(false); });
    auto *arrows = new QVBoxLayout;
    arrows->setSpacing(2);
    arrows->addWidget(cmdUpA);
    arrows->addWidget(cmdDownA);
    arrows->addStretch();
    grid->addLayout(arrows, 1, 2);

    cmdDeleteA = new QPushButton(QStringLiteral("Remove Selected Images"), this);
    cmdDeleteA->setObjectName(QStringLiteral("cmdDeleteA"));
    cmdDeleteA->setToolTip(QStringLiteral("Removes the selected images from the Image List."));
    cmdDeleteA->setAutoDefault(false);
    connect(cmdDeleteA, &QPushButton::clicked, this, &ImageListPanel::removeSelected);

    lblInfoA = new QLabel(this);
    lblInfoA->setObjectName(QStringLiteral("lblInfoA"));
    lblInfoA->setToolTip(QStringLiteral("Total Count of Images in Image List."));

    cmdDriveList = new QPushButton(QStringLiteral("Display Hard Drive List Box"), this);
    cmdDriveList->setObjectName(QStringLiteral("cmdDriveList"));
    cmdDriveList->setAutoDefault(false);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lblInfoA, 1);
    bottom->addWidget(cmdDeleteA);
    grid->addLayout(bottom, 3, 0, 1, 3);
    auto *browserRow = new QHBoxLayout;
    browserRow->addStretch();
    browserRow->addWidget(cmdDriveList);
    grid->addLayout(browserRow, 4, 0, 1, 3);

    txtEditDisplayName = new QLineEdit(this);
    txtEditDisplayName->setObjectName(QStringLiteral("txtEditDisplayName"));
    txtEditDisplayName->hide();
    txtEditDisplayName->installEventFilter(this);
    connect(txtEditDisplayName, &QLineEdit::returnPressed, this, &ImageListPanel::commitEditor);

    mnuImageList = new QMenu(QStringLiteral("ImageList"), this);
    mnuImageList->setObjectName(QStringLiteral("mnuImageList"));
    QAction *remove = mnuImageList->addAction(QStringLiteral("Remove Selected"));
    remove->setObjectName(QStringLiteral("mnuImageListDelete"));
    connect(remove, &QAction::triggered, this, &ImageListPanel::removeSelected);
    QAction *clear = mnuImageList->addAction(QStringLiteral("Clear Image list"));
    clear->setObjectName(QStringLiteral("mnuImageListClear"));
    connect(clear, &QAction::triggered, this, &ImageListPanel::clearList);

    // Rows stay side by side: scrolling one list scrolls the other.
    for (int i = 0; i < 2; ++i) {
        QListWidget *other = lstImageListA[1 - i];
        connect(lstImageListA[i]->verticalScrollBar(), &QScrollBar::valueChanged, other,
                [other](int value) { other->verticalScrollBar()->setValue(value); });
    }
    reload();
}

QListWidget *ImageListPanel::makeList(int index, const QString &tip)
{
    auto *list = new QListWidget(this);
    list->setObjectName(QStringLiteral("lstImageListA"));
    list->setProperty("index", index);
    list->setToolTip(tip);
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setAcceptDrops(true);
    list->setDragDropMode(QAbstractItemView::DropOnly);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    list->installEventFilter(this);
    list->viewport()->installEventFilter(this);
    connect(list, &QListWidget::currentRowChanged, this, &ImageListPanel::selectRow);
    connect(list, &QListWidget::customContextMenuRequested, this,
            [this, list](const QPoint &at) { mnuImageList->popup(list->mapToGlobal(at)); });
    return list;
}

void ImageListPanel::reload()
{
    txtEditDisplayName->hide();
    showRows();
}

void ImageListPanel::showRows()
{
    m_syncing = true;
    QStringList paths, names;
    for (const ImageEntry &e : m_images.entries()) {
        paths << e.path;
        names << e.displayName;
    }
    const int first = lstImageListA[0]->verticalScrollBar()->value();
    lstImageListA[0]->clear();
    lstImageListA[0]->addItems(paths);
    lstImageListA[1]->clear();
    lstImageListA[1]->addItems(names);
    for (QListWidget *list : lstImageListA) {
        list->setCurrentRow(m_images.selected());
        list->verticalScrollBar()->setValue(first);
    }
    lblInfoA->setText(m_images.info());
    m_syncing = false;
}

void ImageListPanel::selectRow(int row)
{
    if (m_syncing || row < 0)
        return;
    m_syncing = true;
    m_images.select(row);
    for (QListWidget *list : lstImageListA)
        list->setCurrentRow(row);
    m_syncing = false;
    showSelectedPicture();
}

void ImageListPanel::showSelectedPicture()
{
    m_preview->showPicture(m_images.at(m_images.selected()).path, PreviewCaption);
}

void ImageListPanel::focusSink()
{
    m_focusSink->setFocus();
}

void ImageListPanel::AddToImageList(const QStringList &paths)
{
    BusyPointer busy;
    bool full = false;
    for (const QString &path : paths) {
        if (!ImageList::HoldsLineBreak(path) && !m_images.AddToImageList(path)) {
            full = true;
            break;
        }
    }
    addingDone(full, paths);
}

void ImageListPanel::AddFolderFiles(const QString &folder, const QStringList &names)
{
    BusyPointer busy;
    const int refused = int(std::count_if(names.cbegin(), names.cend(), ImageList::HoldsLineBreak));
    addingDone(m_images.AddFolderFiles(folder, names) < names.size() - refused, names);
}

void ImageListPanel::addingDone(bool full, const QStringList &offered)
{
    QStringList refused;
    std::copy_if(offered.cbegin(), offered.cend(), std::back_inserter(refused),
                 ImageList::HoldsLineBreak);
    if (!refused.isEmpty())
        m_dialogs.message(ImageList::lineBreakMessage(refused), Dialogs::Icon::Exclamation);
    if (full)
        m_dialogs.message(ImageList::FullMessage, Dialogs::Icon::Exclamation);
    m_images.UpdateImageListInfo();
    showRows();
}

void ImageListPanel::addDropped(const QMimeData *data)
{
    QStringList paths;
    QString failure;
    if (!data->hasUrls()) {
        failure = QStringLiteral("The dropped data holds no files (it offers: %1).")
                      .arg(data->formats().join(QLatin1String(", ")));
    } else {
        for (const QUrl &url : data->urls()) {
            if (!url.isLocalFile()) {
                failure =
                    QStringLiteral("%1 is not a file on this computer.").arg(url.toDisplayString());
                break;
            }
            paths << url.toLocalFile();
        }
    }
    // The files before a failing one are added; the rest are not.
    AddToImageList(paths);
    if (!failure.isEmpty())
        m_dialogs.message(failure);
}

void ImageListPanel::removeSelected()
{
    m_images.RemoveSelectedImages();
    m_images.UpdateImageListInfo();
    showRows();
    focusSink();
}

void ImageListPanel::clearList()
{
    if (m_dialogs.message(QStringLiteral("Clear Image List?"), AppText::AppTitle,
                          Dialogs::Icon::Question, Dialogs::Buttons::YesNo) != Dialogs::Answer::Yes)
        return;
    m_images.ClearImageList();
    m_images.UpdateImageListInfo();
    showRows();
}

void ImageListPanel::move(bool up)
{
    if (up ? m_images.MoveImageUp() : m_images.MoveImageDown())
        showRows();
    focusSink();
}

void ImageListPanel::openEditor()
{
    const int row = m_images.selected();
    if (row < 0)
        return;
    QListWidget *names = lstImageListA[1];
    const QRect cell = names->visualItemRect(names->item(row));
    const QPoint at = names->viewport()->mapTo(this, cell.topLeft());
    const int height = std::max(cell.height() + 4, txtEditDisplayName->sizeHint().height());
    txtEditDisplayName->setGeometry(names->x(), at.y() - (height - cell.height()) / 2,
                                    names->width(), height);
    txtEditDisplayName->setText(m_images.at(row).displayName);
    txtEditDisplayName->selectAll();
    txtEditDisplayName->show();
    txtEditDisplayName->raise();
    txtEditDisplayName->setFocus();
}

void ImageListPanel::commitEditor()
{
    if (txtEditDisplayName->isHidden())
        return;
    if (!m_images.CommitDisplayName(txtEditDisplayName->text())) {
        txtEditDisplayName->setFocus();
        return;
    }
    txtEditDisplayName->hide();
    showRows();
}

bool ImageListPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtEditDisplayName) {
        if (event->type() == QEvent::FocusOut)
            commitEditor();
        return QGroupBox::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        // A click on the selected row changes no row, yet shows its picture again (the file
        // browser may have shown another one since).
        const auto *list = qobject_cast<QListWidget *>(watched->parent());
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (list && mouse->button() == Qt::LeftButton && m_images.selected() >= 0 &&
            list->indexAt(mouse->position().toPoint()).row() == m_images.selected())
            showSelectedPicture();
        break;
    }
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        const auto modifiers =
            key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        if (key->key() != Qt::Key_Delete)
            break;
        if (modifiers == Qt::NoModifier && !m_images.isEmpty() &&
            m_dialogs.message(QStringLiteral("Remove Selected Images from list?"),
                              AppText::AppTitle, Dialogs::Icon::None,
                              Dialogs::Buttons::OkCancel) == Dialogs::Answer::Ok)
            removeSelected();
        return true;
    }
    case QEvent::MouseButtonDblClick:
        if (watched == lstImageListA[1]->viewport()) {
            openEditor();
            return true;
        }
        break;
    // Always a copy: the list refers to the files, and a move (Shift held over a file
    // manager's drag) would have the file manager take them away.
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDropEvent *>(event);
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        addDropped(drop->mimeData());
        return true;
    }
    default:
        break;
    }
    return QGroupBox::eventFilter(watched, event);
}
