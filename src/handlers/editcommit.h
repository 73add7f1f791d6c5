#pragma once

class QLineEdit;

// Whether an editingFinished() of field should be applied, and if so marks
// the text as taken. Return or Enter (the field still has the focus, and no
// popup took the keys) always applies; a loss of focus only when the user
// changed the text since it was last taken or written by the program. The toolkit also raises the
// signal on focus loss after the program's own setText(): applying the ALL bitrate then would
// overwrite every channel's typed bitrate as the user tabs past.
bool takeCommittedEdit(QLineEdit &field);
