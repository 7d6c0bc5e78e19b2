#pragma once

#include <QDialog>

// The component's about box.
class RavelAboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit RavelAboutBox(QWidget *parent = nullptr);
};
