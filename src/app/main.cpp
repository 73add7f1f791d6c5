#include "mainwindow.h"
#include "version.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <cstring>

namespace {

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Plans the disk space a network video recorder needs."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A plan file (.nvrplan) to open."),
                                 QStringLiteral("[file]"));
}

// --help and --version need no display: they are answered before the window
// system is reached.
bool onlyAsksForText(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i)
        for (const char *option : {"-h", "--help", "-?", "--help-all", "-v", "--version"})
            if (std::strcmp(argv[i], option) == 0)
                return true;
    return false;
}

void nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("nvr-calculator"));
    QCoreApplication::setApplicationVersion(QStringLiteral(NVR_VERSION));
}

} // namespace

int main(int argc, char *argv[])
{
    if (onlyAsksForText(argc, argv)) {
        QCoreApplication app(argc, argv);
        nameApplication();
        QCommandLineParser parser;
        describe(parser);
        parser.process(app); // prints and exits
        return 0;
    }
    QApplication app(argc, argv);
    nameApplication();
    QCommandLineParser parser;
    describe(parser);
    // The toolkit has taken its own options; anything else unknown is ignored.
    parser.parse(QCoreApplication::arguments());

    MainWindow window;
    window.show();
    // Before the event loop, so the first frame already shows the defaults.
    window.resetAll();
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        std::fprintf(stderr, "nvr-calculator: opens one plan at a time: %s, not %s\n",
                     qUtf8Printable(files.constFirst()),
                     qUtf8Printable(files.mid(1).join(QStringLiteral(", "))));
    if (!files.isEmpty())
        window.openFile(files.constFirst());
    return app.exec();
}
