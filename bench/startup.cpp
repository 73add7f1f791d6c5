// Start-ups that each end by themselves once their first frame is drawn, so
// whole processes can be timed side by side:
//
//   startup program         the calculator's own start-up sequence
//   startup_floor program   the same, built on its form without any font,
//                           palette or style sheet: the floor it is held to
//   startup form            its form alone on a bare QMainWindow
//   startup empty           an empty QMainWindow of the same size: the floor
//                           of any Qt Widgets program
//
// scripts/bench.sh runs them under hyperfine and /usr/bin/time.

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

// Ends the event loop once the window has painted its first frame.
class FirstFrame : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

int run(QWidget &window)
{
    FirstFrame firstFrame;
    window.installEventFilter(&firstFrame);
    return QApplication::exec();
}

} // namespace

int main(int argc, char *argv[])
{
    const char *variant = argc > 1 ? argv[1] : "";
    QApplication app(argc, argv);
    if (std::strcmp(variant, "program") == 0) {
        MainWindow window;
        window.show();
        window.resetAll();
        return run(window);
    }
    if (std::strcmp(variant, "form") == 0) {
        QMainWindow window;
        Ui_MainWindow form;
        form.setupUi(&window);
        window.show();
        return run(window);
    }
    if (std::strcmp(variant, "empty") == 0) {
        QMainWindow window;
        window.resize(594, 655);
        window.show();
        return run(window);
    }
    std::fprintf(stderr, "usage: %s program|form|empty\n", argv[0]);
    return 2;
}
