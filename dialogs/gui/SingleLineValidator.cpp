#include "dialogs/gui/SingleLineValidator.h"

#include <QLineEdit>

QValidator::State SingleLineValidator::validate(QString &input, int &pos) const
{
    for (qsizetype i = input.size() - 1; i >= 0; --i) {
        if (input[i] == QLatin1Char('\r') || input[i] == QLatin1Char('\n')) {
            input.remove(i, 1);
            if (i < pos)
                --pos;
        }
    }
    return Acceptable;
}

void SingleLineValidator::install(QWidget *root)
{
    auto *validator = new SingleLineValidator(root);
    for (QLineEdit *edit : root->findChildren<QLineEdit *>())
        if (!edit->validator())
            edit->setValidator(validator);
}
