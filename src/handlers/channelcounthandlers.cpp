#include "channelrow.h"
#include "mainwindow.h"
#include "model.h"
#include "ui_mainwindow.h"

// Rows 1 to 4 always stay; hidden rows keep their settings for when they return.
void MainWindow::on_cb_max_ch_currentIndexChanged(int index)
{
    for (int i = 4; i < channel_max; ++i)
        channelRow(*ui, i).setVisible(index > (i < 8 ? 0 : 1));
}

void MainWindow::on_cb_max_ch_activated(int)
{
    recalculate();
}
