// Saves the screen of the current display as a PNG once something is drawn on
// it, without the rows of bare screen below the window. scripts/screenshot.sh
// runs the real program on a virtual display of the window's width and takes
// the picture the README shows with this.

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
    // The window's height depends on its menu bar's, which the style decides.
    const QRgb bare = shot.pixel(0, shot.height() - 1);
    int rows = shot.height();
    const auto bareRow = [&shot, bare](int y) {
        for (int x = 0; x < shot.width(); ++x)
            if (shot.pixel(x, y) != bare)
                return false;
        return true;
    };
    while (rows > 1 && bareRow(rows - 1))
        --rows;
    return shot.copy(0, 0, shot.width(), rows).save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
