#include "editcommit.h"

#include <QApplication>
#include <QLineEdit>

bool takeCommittedEdit(QLineEdit &field)
{
    // A popup opening (a list, a menu) takes the keys but leaves the field its
    // focus: that is a focus loss too, not Return.
    const bool returnPressed = field.hasFocus() && !QApplication::activePopupWidget();
    if (!returnPressed && !field.isModified())
        return false;
    field.setModified(false);
    return true;
}
