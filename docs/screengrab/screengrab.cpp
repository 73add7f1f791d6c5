// Saves the screen of the current display as a PNG once something is drawn on
// it. scripts/screenshot.sh runs the real program on a virtual display of the
// window's size and takes the picture the README shows with this.

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>

#include <cstdio>

namespace {

bool blank(const QImage &image)
{
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            if (image.pixel(x, y) != first)
                return false;
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    QScreen *screen = QGuiApplication::primaryScreen();
    QElapsedTimer waited;
    waited.start();
    QImage shot;
    do {
        QThread::msleep(200);
        shot = screen->grabWindow(0).toImage();
    } while (blank(shot) && waited.elapsed() < 15000);
    if (blank(shot)) {
        std::fprintf(stderr, "nothing was drawn on the screen\n");
        return 1;
    }
    // Let the first frames settle before the picture is taken.
    QThread::msleep(1000);
    shot = screen->grabWindow(0).toImage();
    return shot.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
