#pragma once

#include <QList>
#include <QString>

class QWidget;

// The pop-up tooltips that "Show Pop-Up ToolTips" switches on and off.
namespace ToolTips {
struct Row
{
    const char *objectName;
    QString text;
    // For controls that share a name, their "index" property (the image lists); -1: none.
    int index = -1;
};

// In the order they are set.
const QList<Row> &table();
// Colour fields that lose their tooltip when tooltips go off, and never get one back.
const QList<const char *> &emptiedWhenOff();
// Sets the table's texts on the window's controls, or empties them.
void SetToolTips(QWidget *window, bool on);
} // namespace ToolTips
