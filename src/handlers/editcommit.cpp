#include "editcommit.h"

#include <QLineEdit>

bool takeCommittedEdit(QLineEdit &field)
{
    if (!field.hasFocus() && !field.isModified())
        return false;
    field.setModified(false);
    return true;
}
