#include "disksdialog.h"

#include "numbertext.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// What the table holds, or why it holds nothing.
QString noteOf(const Plan &plan, const PlanFigures &figures, const QList<DiskSet> &sets)
{
    if (!keepsDays(plan))
        return QObject::tr("Type the Required Days in the window: the sets listed here are "
                           "those that keep them.");
    const QString need
        = QObject::tr("Keeping %1 takes %2.").arg(keptDaysText(plan), figures.requiredText());
    if (!sets.isEmpty())
        return need + QObject::tr(" The fewest drives of each size that hold that:");
    const QString layout = disk_layout_names[plan.disks.layout];
    const DiskSet most = largestSet(plan);
    if (most.drives == 0)
        return need
            + QObject::tr(" %1 needs more drives than %2 bays hold.")
                  .arg(layout)
                  .arg(plan.disks.bays);
    return need
        + QObject::tr(" No set of drives in %1 bays holds that as %2: the most they hold is %3 GB "
                      "(%4 × %5 TB).")
              .arg(plan.disks.bays)
              .arg(layout)
              .arg(most.usableGb)
              .arg(most.drives)
              .arg(driveTbText(most.driveGb));
}

} // namespace

DisksDialog::DisksDialog(QWidget *parent)
    : QDialog(parent)
    , m_incoming(new QLabel(this))
    , m_layout(new QComboBox(this))
    , m_bays(new QSpinBox(this))
    , m_note(new QLabel(this))
    , m_sets(new QTableWidget(0, 4, this))
{
    setObjectName(QStringLiteral("disks"));
    setWindowTitle(tr("Disks"));
    setModal(false);

    m_incoming->setObjectName(QStringLiteral("disksIncoming"));
    m_incoming->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_layout->setObjectName(QStringLiteral("disksLayout"));
    for (const QString &name : disk_layout_names)
        m_layout->addItem(name.left(1).toUpper() + name.mid(1));
    // Screen readers on Linux hear a list box's description, not its name.
    m_layout->setAccessibleName(tr("Layout"));
    m_layout->setAccessibleDescription(tr("Layout"));
    m_bays->setObjectName(QStringLiteral("disksBays"));
    m_bays->setRange(bays_min, bays_max);
    // A number typed counts when it is whole: 16 is no 1 and then 16.
    m_bays->setKeyboardTracking(false);
    m_bays->setAccessibleName(tr("Bays"));
    m_note->setObjectName(QStringLiteral("disksNote"));
    m_note->setWordWrap(true);
    m_sets->setObjectName(QStringLiteral("disksSets"));
    m_sets->setAccessibleName(tr("Disk sets"));
    m_sets->setHorizontalHeaderLabels(
        {tr("Drives"), tr("Drive size (TB)"), tr("Usable (GB)"), tr("Recording time")});
    m_sets->verticalHeader()->hide();
    // Columns as wide as their captions, which are wider than any figure
    // below them but the last: sized once, not on every change.
    m_sets->resizeColumnsToContents();
    m_sets->horizontalHeader()->setStretchLastSection(true);
    m_sets->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_sets->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_sets->setSelectionMode(QAbstractItemView::SingleSelection);
    m_sets->setTabKeyNavigation(false);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_use = buttons->addButton(tr("&Use as installed HDD"), QDialogButtonBox::ApplyRole);
    m_use->setObjectName(QStringLiteral("disksUse"));
    // Return on a set uses it (keyPressEvent): the button that looks so.
    buttons->button(QDialogButtonBox::Close)->setAutoDefault(false);
    m_use->setDefault(true);
    m_use->setToolTip(tr("The chosen set's usable GB become the Installed HDD size"));

    auto *form = new QFormLayout;
    form->addRow(tr("Incoming bitrate:"), m_incoming);
    form->addRow(tr("&Layout:"), m_layout);
    form->addRow(tr("&Bays:"), m_bays);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_note);
    layout->addWidget(m_sets);
    layout->addWidget(buttons);
    resize(480, 420);

    connect(m_layout, QOverload<int>::of(&QComboBox::activated), this, &DisksDialog::chooseDisks);
    connect(m_bays, QOverload<int>::of(&QSpinBox::valueChanged), this, &DisksDialog::chooseDisks);
    connect(m_use, &QPushButton::clicked, this, &DisksDialog::useChosenSet);
    connect(m_sets, &QTableWidget::cellDoubleClicked, this, &DisksDialog::useChosenSet);
    connect(m_sets, &QTableWidget::itemSelectionChanged, this,
            [this] { m_use->setEnabled(!m_sets->selectedItems().isEmpty()); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void DisksDialog::showPlan(const Plan &plan, const PlanFigures &figures)
{
    {
        const QSignalBlocker quietLayout(m_layout);
        const QSignalBlocker quietBays(m_bays);
        m_layout->setCurrentIndex(plan.disks.layout);
        m_bays->setValue(plan.disks.bays);
    }
    m_incoming->setText(tr("%1 Mbps").arg(figures.incomingMbpsText()));
    const QList<DiskSet> sets = keepsDays(plan) ? diskSets(plan, figures) : QList<DiskSet>();
    m_note->setText(noteOf(plan, figures, sets));
    m_use->setEnabled(!sets.isEmpty());
    // Most changes of the plan leave the sets as they were: the table, and
    // the set chosen in it, stay.
    if (sets == m_shown)
        return;
    const int chosen = m_sets->currentRow();
    const DiskSet was = chosen >= 0 && chosen < m_shown.size() ? m_shown[chosen] : DiskSet();
    m_shown = sets;
    m_sets->setRowCount(int(sets.size()));
    int again = 0;
    for (int row = 0; row < sets.size(); ++row) {
        const DiskSet &set = sets[row];
        const QStringList cells = {QString::number(set.drives), driveTbText(set.driveGb),
                                   QString::number(set.usableGb), set.recordingTimeText()};
        for (int column = 0; column < cells.size(); ++column) {
            // Rewritten in place: most changes move the recording times only.
            QTableWidgetItem *item = m_sets->item(row, column);
            if (!item) {
                item = new QTableWidgetItem;
                if (column < 3)
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                m_sets->setItem(row, column, item);
            }
            if (item->text() != cells[column])
                item->setText(cells[column]);
        }
        if (set.drives == was.drives && set.driveGb == was.driveGb)
            again = row;
    }
    if (!sets.isEmpty())
        m_sets->selectRow(again);
}

void DisksDialog::keyPressEvent(QKeyEvent *event)
{
    // Return on a set uses it. In the layout or the bays it only takes what
    // was chosen or typed: it would be a surprise as a button's key there.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (focusWidget() == m_sets)
            useChosenSet();
        return;
    }
    QDialog::keyPressEvent(event);
}

void DisksDialog::chooseDisks()
{
    emit disksChosen({m_layout->currentIndex(), m_bays->value()});
}

void DisksDialog::useChosenSet()
{
    const int row = m_sets->currentRow();
    if (row >= 0 && row < m_shown.size())
        emit usableChosen(m_shown[row].usableGb);
}
