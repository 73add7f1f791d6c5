#include "mainwindow.h"

#include "report.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

void MainWindow::exportReport()
{
    // The report is named after the plan and suggested beside it.
    const QFileInfo plan(filePath());
    const QString planName = filePath().isEmpty() ? QStringLiteral("Untitled") : plan.fileName();
    const QString suggested
        = QDir(dialogFolder())
              .filePath((filePath().isEmpty() ? planName : plan.completeBaseName())
                        + QStringLiteral(".pdf"));
    const QString pdfFilter = tr("PDF report (*.pdf)");
    const QString csvFilter = tr("Channel table as CSV (*.csv)");

    QFileDialog dialog(this, tr("Export a report"), suggested,
                       pdfFilter + QStringLiteral(";;") + csvFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    // A name typed without a suffix gets the one of the chosen kind.
    connect(&dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog, csvFilter](const QString &filter) {
                dialog.setDefaultSuffix(filter == csvFilter ? QStringLiteral("csv")
                                                            : QStringLiteral("pdf"));
            });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;

    QString error;
    if (!writeReport(currentPlan(), planName, dialog.selectedFiles().constFirst(), &error))
        showFailure(tr("The report could not be written."), error);
}
