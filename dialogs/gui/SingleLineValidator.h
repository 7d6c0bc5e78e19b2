#pragma once

#include <QValidator>

// Keeps a one-line field to one line: CR and LF in pasted or set text are dropped, since a
// value with a line break could not be stored in a project or settings file.
class SingleLineValidator : public QValidator
{
    Q_OBJECT
public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override;

    // Gives every line field under the root that has no validator of its own this one.
    static void install(QWidget *root);
};
