#pragma once

#include <QStringList>

class Calculator;

// What must hold after every user action: the controls show the model (modes,
// usable bitrate fields, resolution, frame, quality, the frame list of the
// standard, the rows of the count, the product's lock), and every figure shown
// is the one the plan the window shows gives. Returns what is broken.
QStringList brokenRelations(const Calculator &calculator);
