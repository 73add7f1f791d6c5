#pragma once

#include <QStringList>

class Calculator;

// What must hold after every user action: the controls agree with the model
// (modes, bitrate fields, resolution, frame, quality, frame lists, rows shown
// for the count, the product's lock), and every figure shown is the one the
// plan the window shows gives. Returns what is broken, empty when all holds.
QStringList brokenRelations(const Calculator &calculator);
