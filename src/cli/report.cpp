#include "commands.h"

#include "output.h"
#include "planfile.h"
#include "plantable.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {

// The customer report: one PDF page, or its channel table as CSV when outPath
// ends in .csv. The PDF needs the report library and a QGuiApplication, which
// nvr-plan does not load for its other commands; until it is linked here, only
// the CSV is written.
bool exportReport(const Plan &plan, const QString &planName, const QString &outPath, QString *error)
{
    Q_UNUSED(planName);
    if (!outPath.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)) {
        *error = outPath + QStringLiteral(": PDF reports are not built into this nvr-plan");
        return false;
    }
    QSaveFile file(outPath);
    if (file.open(QIODevice::WriteOnly) && file.write(channelCsv(plan, planFigures(plan))) >= 0
        && file.commit())
        return true;
    *error = outPath + QStringLiteral(": ") + file.errorString();
    return false;
}

} // namespace

int reportPlan(const QString &file, const QString &outPath)
{
    QString error;
    const std::optional<Plan> plan = readPlanFile(file, &error);
    if (!plan || !exportReport(*plan, QFileInfo(file).fileName(), outPath, &error)) {
        printError(error);
        return exit_failure;
    }
    return exit_ok;
}
