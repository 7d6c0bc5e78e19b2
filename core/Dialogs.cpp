#include "core/Dialogs.h"

#include "core/AppText.h"

Dialogs::Answer Dialogs::message(const QString &text, Icon icon)
{
    return message(text, AppText::AppTitle, icon, Buttons::Ok);
}
