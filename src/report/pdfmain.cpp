// nvr-plan-pdf NAME OUT.pdf < PLAN: draws the customer report of the plan
// nvr-plan has read, which the page calls NAME.
// nvr-plan itself does without Qt Gui, which would double the start-up of
// every command; only a PDF report pays for it, in this helper.

#include "planfile.h"
#include "report.h"

#include <QGuiApplication>

#include <cstdio>

namespace {

// The toolkit's notes (a runtime folder it has no use for here) are no
// business of nvr-plan's users; its errors still are.
void keepQuiet(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "nvr-plan: %s\n", qPrintable(message));
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler(keepQuiet);
    // A page needs fonts, not a screen: the same on a desktop and over ssh.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: nvr-plan-pdf NAME OUT.pdf < PLAN (run by nvr-plan report)\n");
        return 2;
    }
    QString error;
    const std::optional<Plan> plan = readPlanArgument(QStringLiteral("-"), &error);
    if (plan && writeReport(*plan, arguments.at(1), arguments.at(2), &error))
        return 0;
    std::fprintf(stderr, "nvr-plan: %s\n", qPrintable(error));
    return 1;
}
