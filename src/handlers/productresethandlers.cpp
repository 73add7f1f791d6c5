#include "channelrow.h"
#include "mainwindow.h"
#include "model.h"
#include "ui_mainwindow.h"

void MainWindow::on_btn_init_clicked()
{
    resetAll();
}

// Any product but the first records in Auto mode only: its Mode boxes stay
// locked until the next product choice; a reset keeps the lock.
void MainWindow::on_cb_product_activated(int index)
{
    Plan plan = resetPlan();
    plan.product = index;
    applyPlan(plan);
}

void MainWindow::setModesLocked(bool locked)
{
    ui->cb_mode_all->setEnabled(!locked);
    for (int i = 0; i < channel_max; ++i)
        channelRow(*ui, i).mode->setEnabled(!locked);
}
