#pragma once

#include "disks.h"

#include <QDialog>

#include <cstdint>

class QComboBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

// Which disks to buy for the plan the window shows, beside the window: what
// the cameras send, the recorder's layout and bays, and for each drive size
// the fewest drives that keep the plan's days. It shows what it is given and
// says what the user chose; the window changes the plan.
class DisksDialog : public QDialog
{
    Q_OBJECT

public:
    explicit DisksDialog(QWidget *parent);

    // Shows the plan's disks: its layout and bays, and the sets for its days.
    void showPlan(const Plan &plan, const PlanFigures &figures);

signals:
    // The user chose another layout or number of bays.
    void disksChosen(const DiskSettings &disks);
    // The user chose a set to install: its usable GB.
    void usableChosen(std::int64_t usableGb);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void chooseDisks();
    void useChosenSet();

    QLabel *m_incoming;
    QComboBox *m_layout;
    QSpinBox *m_bays;
    QLabel *m_note;
    QTableWidget *m_sets;
    QPushButton *m_use;
    QList<DiskSet> m_shown;
};
