#include "commands.h"

#include "output.h"
#include "planfile.h"
#include "plantable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {

// The PDF helper: beside nvr-plan in the build tree, under libexec installed.
QString pdfHelper()
{
    const QDir here(QCoreApplication::applicationDirPath());
    const QString beside = here.filePath(QStringLiteral("nvr-plan-pdf"));
    return QFileInfo::exists(beside) ? beside
                                     : here.filePath(QStringLiteral(NVR_PLAN_PDF_FROM_BIN));
}

} // namespace

int reportPlan(const QString &file, const QString &outPath)
{
    QString error;
    const std::optional<Plan> plan = readPlanArgument(file, &error);
    if (!plan) {
        printError(error);
        return exit_failure;
    }
    if (outPath.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)) {
        if (writeFileAtomically(outPath, channelCsv(*plan, planFigures(*plan)), &error))
            return exit_ok;
        printError(error);
        return exit_failure;
    }
    // The helper draws the plan read here, given on its standard input, and
    // says itself what went wrong; a plan piped in has no file name for the page.
    QProcess helper;
    helper.setProcessChannelMode(QProcess::ForwardedChannels);
    helper.start(
        pdfHelper(),
        {file == QLatin1String("-") ? QStringLiteral("Untitled") : QFileInfo(file).fileName(),
         outPath});
    helper.write(planToJson(*plan));
    helper.closeWriteChannel();
    if (!helper.waitForFinished(-1) || helper.exitStatus() != QProcess::NormalExit) {
        printError(outPath
                   + QStringLiteral(": the PDF writer %1 did not run: %2")
                         .arg(pdfHelper(), helper.errorString()));
        return exit_failure;
    }
    return helper.exitCode() == 0 ? exit_ok : exit_failure;
}
