// The window's plans in files: opening, saving, a new plan, the recent
// plans, and the question before work with changes is set aside.

#include "mainwindow.h"

#include "plandocument.h"
#include "planfile.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QStandardPaths>
#include <QTimer>

namespace {

QString planFilter()
{
    return QObject::tr("NVR plans (*.nvrplan)");
}

// The single local file a drag carries, or nothing.
QString droppedFile(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return QString();
    const QUrl url = data->urls().constFirst();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

} // namespace

void MainWindow::showFileState()
{
    const QString path = m_document->filePath();
    const bool modified = m_document->isModified();
    // The program's name alone while nothing is in the window but what it
    // starts with; untitled work is named once it holds anything.
    const QString title = path.isEmpty() && !modified
        ? m_title
        : m_document->name() + QStringLiteral("[*] - ") + m_title;
    if (windowFilePath() != path)
        setWindowFilePath(path);
    if (windowTitle() != title)
        setWindowTitle(title);
    setWindowModified(modified);
}

bool MainWindow::openFile(const QString &path)
{
    QString error;
    const std::optional<Plan> plan = readPlanFile(path, &error);
    if (!plan) {
        showFailure(tr("The plan could not be opened."), error);
        return false;
    }
    // Undo goes back to the work before, under its own name; the same file
    // opened again is the same work.
    m_document->open(path, *plan);
    applyPlan(*plan);
    // Opened again with the plan already shown, the file may now hold it.
    showFileState();
    m_recent.add(m_document->filePath());
    return true;
}

bool MainWindow::saveFile(const QString &path)
{
    QString error;
    const Plan plan = currentPlan();
    if (!writePlanFile(path, plan, &error)) {
        showFailure(tr("The plan could not be saved."), error);
        return false;
    }
    m_document->saved(path, plan);
    m_recent.add(m_document->filePath());
    showFileState();
    return true;
}

// Where the file dialogs start: in the folder last used, beside the plan, or
// in the documents folder.
QString MainWindow::dialogFolder() const
{
    const QString last = m_recent.folder();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    if (!m_document->filePath().isEmpty())
        return QFileInfo(m_document->filePath()).absolutePath();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

bool MainWindow::newPlan()
{
    if (!maySetAside())
        return false;
    // Already a new plan: nothing to start.
    if (m_document->filePath().isEmpty() && !m_document->differs(currentPlan()))
        return true;
    // Work of its own, undone like an Open: the work before comes back under
    // its own file, and saving this one asks for a name.
    m_document->startUntitled();
    applyPlan(Plan());
    return true;
}

bool MainWindow::open()
{
    if (!maySetAside())
        return false;
    const QString path
        = QFileDialog::getOpenFileName(this, tr("Open a plan"), dialogFolder(), planFilter());
    return !path.isEmpty() && openFile(path);
}

bool MainWindow::save()
{
    const QString path = m_document->filePath();
    return path.isEmpty() ? saveAs() : saveFile(path);
}

bool MainWindow::saveAs()
{
    QFileDialog dialog(this, tr("Save the plan"), dialogFolder(), planFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QString path = m_document->filePath();
    dialog.selectFile(path.isEmpty() ? tr("plan.nvrplan") : QFileInfo(path).fileName());
    dialog.setDefaultSuffix(QStringLiteral("nvrplan"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    return saveFile(dialog.selectedFiles().constFirst());
}

bool MainWindow::maySetAside()
{
    commitTypedText();
    if (!m_document->differs(currentPlan()))
        return true;
    QMessageBox question(
        QMessageBox::Warning, m_title,
        tr("The plan “%1” has changes that are not saved.").arg(m_document->name()),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    question.setInformativeText(tr("Save them first?"));
    question.setDefaultButton(QMessageBox::Save);
    switch (question.exec()) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void MainWindow::showFailure(const QString &what, const QString &why)
{
    // Not modal for the program: the window stays as it was, and the message
    // can be read beside it.
    auto *box = new QMessageBox(QMessageBox::Warning, m_title, what, QMessageBox::Ok, this);
    box->setInformativeText(why);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void MainWindow::openRecent(const QString &path)
{
    if (!QFileInfo::exists(path)) {
        m_recent.remove(path);
        showFailure(tr("The plan could not be opened."),
                    tr("%1 is no longer there; it is taken off the recent plans.").arg(path));
        return;
    }
    if (maySetAside())
        openFile(path);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (maySetAside())
        event->accept();
    else
        event->ignore();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Asking to save inside the drop would hold up the drag's source.
    QTimer::singleShot(0, this, [this, path] {
        if (maySetAside())
            openFile(path);
    });
}
