#pragma once

#include <QStringList>

class Calculator;

// Relations between the window and the model that hold after every user
// action. Returns what is broken, empty when all hold.
QStringList brokenStateRelations(const Calculator &calculator);

// Relations between the shown figures, the model and the inputs that hold
// right after a recalculation.
QStringList brokenFigureRelations(const Calculator &calculator);

// A copy of the channel model, to tell what an action changed.
struct ModelSnapshot
{
    QList<int> resolution, fps, quality, manual, manualKbps;
    int allManualKbps = 0;
    int videoStandard = 0;

    static ModelSnapshot take();
    bool operator==(const ModelSnapshot &other) const;
};
