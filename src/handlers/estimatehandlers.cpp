#include "editcommit.h"
#include "mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::on_line_input_days_editingFinished()
{
    if (takeCommittedEdit(*ui->line_input_days))
        recalculate();
}

void MainWindow::on_line_input_hdd_editingFinished()
{
    if (takeCommittedEdit(*ui->line_input_hdd))
        recalculate();
}
