#include "mainwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    MainWindow window;
    window.show();
    // Before the event loop, so the first frame already shows the defaults.
    window.resetAll();
    return app.exec();
}
