#include "shell/BackgroundChooserDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

BackgroundChooserDialog::BackgroundChooserDialog(QLineEdit &answerField, QWidget *parent)
    : QDialog(parent), m_answer(answerField)
{
    setObjectName(QStringLiteral("frmBackground"));
    setWindowTitle(QStringLiteral("Select Web Page Background"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Select a Background Image or Color."), this));
    layout->addWidget(
        new QLabel(QStringLiteral("To Remove current background Choose Clear."), this));
    auto *buttons = new QHBoxLayout;
    layout->addLayout(buttons);

    struct Choice
    {
        const char *name, *caption, *word;
    };
    const Choice choices[] = {{"cmdImage", "&Image", "image"},
                              {"cmdColor", "&Color", "color"},
                              {"cmdClear", "Clea&r", "clear"},
                              {"cmdCancel", "Ca&ncel", "cancel"}};
    for (const Choice &c : choices) {
        auto *button = new QPushButton(QString::fromLatin1(c.caption), this);
        button->setObjectName(QString::fromLatin1(c.name));
        button->setAutoDefault(false);
        buttons->addWidget(button);
        const QString word = QString::fromLatin1(c.word);
        connect(button, &QPushButton::clicked, this, [this, word] {
            m_answer.setText(word);
            accept();
        });
    }
    // Escape and the window's close button answer as Cancel does, never with an earlier word.
    connect(this, &QDialog::rejected, this, [this] { m_answer.setText(QStringLiteral("cancel")); });
}
