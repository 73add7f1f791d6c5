#include "mainwindow.h"
#include "model.h"

void MainWindow::on_cb_ntpal_activated(int index)
{
    video_standard = index != 0;
    applyVideoStandard(video_standard);
    recalculate();
}
