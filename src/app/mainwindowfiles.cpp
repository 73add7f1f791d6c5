#include "mainwindow.h"

#include "planfile.h"
#include "version.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QStandardPaths>
#include <QTimer>
#include <QUndoCommand>
#include <QUndoStack>

#include <utility>

// One undo step: the whole plan before and after a change. A plan is a few
// hundred bytes, so snapshots are simpler than inverse operations and exact.
class PlanStep : public QUndoCommand
{
public:
    PlanStep(MainWindow &window, Plan before, Plan after)
        : m_window(window)
        , m_before(std::move(before))
        , m_after(std::move(after))
    {
    }

    void undo() override { m_window.restorePlan(m_before); }
    void redo() override
    {
        // The window already shows the plan when the step is pushed.
        if (!std::exchange(m_pushed, false))
            m_window.restorePlan(m_after);
    }

private:
    MainWindow &m_window;
    Plan m_before;
    Plan m_after;
    bool m_pushed = true;
};

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

void MainWindow::createActions()
{
    m_history = new QUndoStack(this);
    // Far more than anyone undoes; a step is two plans.
    m_history->setUndoLimit(1000);
    // Only an opened plan shows the modified marker; untitled work has none.
    connect(m_history, &QUndoStack::cleanChanged, this,
            [this](bool clean) { setWindowModified(!clean && !m_filePath.isEmpty()); });

    const auto action = [this](const QString &text, const QList<QKeySequence> &keys) {
        auto *created = new QAction(text, this);
        created->setShortcuts(keys);
        addAction(created);
        return created;
    };
    m_openAction = action(tr("&Open…"), {QKeySequence::Open});
    connect(m_openAction, &QAction::triggered, this, &MainWindow::open);
    m_saveAction = action(tr("&Save"), {QKeySequence::Save});
    connect(m_saveAction, &QAction::triggered, this, &MainWindow::save);
    m_saveAsAction = action(tr("Save &As…"), {QKeySequence(tr("Ctrl+Shift+S"))});
    connect(m_saveAsAction, &QAction::triggered, this, &MainWindow::saveAs);
    m_exportReportAction = action(tr("&Export report…"), {QKeySequence(tr("Ctrl+E"))});
    connect(m_exportReportAction, &QAction::triggered, this, &MainWindow::exportReport);

    m_undoAction = m_history->createUndoAction(this, tr("&Undo"));
    m_undoAction->setShortcuts(QKeySequence::Undo);
    addAction(m_undoAction);
    m_redoAction = m_history->createRedoAction(this, tr("&Redo"));
    m_redoAction->setShortcuts({QKeySequence(tr("Ctrl+Shift+Z")), QKeySequence(tr("Ctrl+Y"))});
    addAction(m_redoAction);

    m_aboutAction = new QAction(tr("A&bout"), this);
    connect(m_aboutAction, &QAction::triggered, this, &MainWindow::about);
}

void MainWindow::planShown(const Plan &plan)
{
    if (m_batch > 0)
        return;
    if (!m_recorded) {
        // The first figures shown are where the history begins.
        m_recorded = plan;
        return;
    }
    if (plan == *m_recorded)
        return;
    m_history->push(new PlanStep(*this, *std::exchange(m_recorded, plan), plan));
}

void MainWindow::restorePlan(const Plan &plan)
{
    showAsOneStep(plan);
    m_recorded = currentPlan();
}

bool MainWindow::openFile(const QString &path)
{
    QString error;
    const std::optional<Plan> plan = readPlanFile(path, &error);
    if (!plan) {
        showFailure(tr("The plan could not be opened."), error);
        return false;
    }
    // Nothing to go back to yet: the plan is where the history begins.
    const bool fresh = m_history->count() == 0;
    applyPlan(*plan);
    if (fresh)
        m_history->clear();
    m_history->setClean();
    setCurrentFile(path);
    return true;
}

bool MainWindow::saveFile(const QString &path)
{
    QString error;
    if (!writePlanFile(path, currentPlan(), &error)) {
        showFailure(tr("The plan could not be saved."), error);
        return false;
    }
    m_history->setClean();
    setCurrentFile(path);
    return true;
}

// Where the file dialogs start: beside the plan, or in the documents folder.
QString MainWindow::dialogFolder() const
{
    if (!m_filePath.isEmpty())
        return QFileInfo(m_filePath).absolutePath();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
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
    return m_filePath.isEmpty() ? saveAs() : saveFile(m_filePath);
}

bool MainWindow::saveAs()
{
    QFileDialog dialog(this, tr("Save the plan"), dialogFolder(), planFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(m_filePath.isEmpty() ? tr("plan.nvrplan") : QFileInfo(m_filePath).fileName());
    dialog.setDefaultSuffix(QStringLiteral("nvrplan"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    return saveFile(dialog.selectedFiles().constFirst());
}

bool MainWindow::maySetAside()
{
    if (m_filePath.isEmpty() || m_history->isClean())
        return true;
    QMessageBox question(
        QMessageBox::Warning, m_title,
        tr("The plan “%1” has changes that are not saved.").arg(QFileInfo(m_filePath).fileName()),
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

void MainWindow::setCurrentFile(const QString &path)
{
    m_filePath = path;
    setWindowFilePath(path);
    setWindowTitle(QFileInfo(path).fileName() + QStringLiteral("[*] - ") + m_title);
    setWindowModified(!m_history->isClean());
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

void MainWindow::about()
{
    QMessageBox::about(
        this, tr("About %1").arg(m_title),
        tr("<p><b>%1</b> %2</p>"
           "<p>Plans the disk space a network video recorder needs: per camera channel the "
           "bitrate and the storage of one day, the disk to keep a number of days, and how "
           "long an installed disk lasts.</p>"
           "<p>Daily figures are in GB of 2<sup>30</sup> bytes, disk sizes in GB of "
           "10<sup>9</sup> bytes.</p>"
           "<p>Licensed under the GNU General Public License, version 3 or later.</p>")
            .arg(m_title, QStringLiteral(NVR_VERSION)));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (maySetAside())
        event->accept();
    else
        event->ignore();
}

void MainWindow::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    menu.addActions({m_openAction, m_saveAction, m_saveAsAction});
    menu.addAction(m_exportReportAction);
    menu.addSeparator();
    menu.addActions({m_undoAction, m_redoAction});
    menu.addSeparator();
    menu.addAction(m_aboutAction);
    menu.exec(event->globalPos());
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    // The keyboard's way to the same menu: the Menu key, or Shift+F10. A box
    // or field passes these on unused.
    if (event->key() == Qt::Key_Menu
        || (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        QWidget *at = focusWidget() ? focusWidget() : centralWidget();
        const QPoint middle = at->rect().center();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, middle, at->mapToGlobal(middle));
        contextMenuEvent(&menu);
        return;
    }
    QMainWindow::keyPressEvent(event);
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
