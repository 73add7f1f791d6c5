#include "mainwindow.h"

#include "plandocument.h"
#include "report.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

void MainWindow::exportReport()
{
    // The report is named after the plan, in the folder last used.
    const QString planPath = m_document->filePath();
    const QFileInfo plan(planPath);
    const QString name = m_document->name();
    const QString suggested = QDir(dialogFolder())
                                  .filePath((planPath.isEmpty() ? name : plan.completeBaseName())
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
    const QString path = dialog.selectedFiles().constFirst();
    if (writeReport(currentPlan(), name, path, &error))
        m_recent.setFolder(QFileInfo(path).absolutePath());
    else
        showFailure(tr("The report could not be written."), error);
}
