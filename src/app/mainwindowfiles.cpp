#include "mainwindow.h"

#include "planfile.h"
#include "plantable.h"
#include "version.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QTimer>
#include <QUndoCommand>
#include <QUndoStack>
#include <QVBoxLayout>

#include <utility>

// One undo step: the whole state before and after a change. A plan is a few
// hundred bytes, so snapshots are simpler than inverse operations and exact.
class PlanStep : public QUndoCommand
{
public:
    PlanStep(MainWindow &window, MainWindow::Shown before, MainWindow::Shown after)
        : m_window(window)
        , m_before(std::move(before))
        , m_after(std::move(after))
    {
    }

    void undo() override { m_window.restoreShown(m_before); }
    void redo() override
    {
        // The window already shows the plan when the step is pushed.
        if (!std::exchange(m_pushed, false))
            m_window.restoreShown(m_after);
    }

private:
    MainWindow &m_window;
    MainWindow::Shown m_before;
    MainWindow::Shown m_after;
    bool m_pushed = true;
};

namespace {

// One name for one file, however it was reached.
QString fileKey(const QString &path)
{
    const QFileInfo file(path);
    const QString canonical = file.canonicalFilePath();
    return canonical.isEmpty() ? file.absoluteFilePath() : canonical;
}

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

    // Every command first takes what is typed in a field, so that it saves,
    // reports or undoes what the field shows.
    const auto action = [this](const QString &text, const QList<QKeySequence> &keys, auto command) {
        auto *created = new QAction(text, this);
        created->setShortcuts(keys);
        addAction(created);
        connect(created, &QAction::triggered, this, [this, command] {
            commitTypedText();
            command();
        });
        return created;
    };
    m_openAction
        = action(tr("&Open…"), QKeySequence::keyBindings(QKeySequence::Open), [this] { open(); });
    m_saveAction
        = action(tr("&Save"), QKeySequence::keyBindings(QKeySequence::Save), [this] { save(); });
    m_saveAsAction
        = action(tr("Save &As…"), {QKeySequence(tr("Ctrl+Shift+S"))}, [this] { saveAs(); });
    m_exportReportAction
        = action(tr("&Export report…"), {QKeySequence(tr("Ctrl+E"))}, [this] { exportReport(); });
    m_undoAction = action(tr("&Undo"), QKeySequence::keyBindings(QKeySequence::Undo),
                          [this] { m_history->undo(); });
    m_redoAction
        = action(tr("&Redo"), {QKeySequence(tr("Ctrl+Shift+Z")), QKeySequence(tr("Ctrl+Y"))},
                 [this] { m_history->redo(); });
    m_undoAction->setEnabled(false);
    m_redoAction->setEnabled(false);
    connect(m_history, &QUndoStack::canUndoChanged, m_undoAction, &QAction::setEnabled);
    connect(m_history, &QUndoStack::canRedoChanged, m_redoAction, &QAction::setEnabled);

    m_copyAction = action(tr("&Copy figures"), QKeySequence::keyBindings(QKeySequence::Copy),
                          [this] { copyFigures(); });
    // Ctrl+Q whatever the desktop's scheme: some bind nothing to Quit.
    QList<QKeySequence> quit = QKeySequence::keyBindings(QKeySequence::Quit);
    if (!quit.contains(QKeySequence(tr("Ctrl+Q"))))
        quit.prepend(QKeySequence(tr("Ctrl+Q")));
    m_quitAction = action(tr("&Quit"), quit, [this] { close(); });
    m_helpAction = action(tr("&Help"), QKeySequence::keyBindings(QKeySequence::HelpContents),
                          [this] { showHelp(); });
    m_siteAction = action(tr("S&ite…"), {}, [this] { chooseSite(); });
    m_aboutAction = new QAction(tr("A&bout"), this);
    connect(m_aboutAction, &QAction::triggered, this, &MainWindow::about);

    // In a field the window's commands come first: the field's own undo, or
    // its key for the end of the line, would leave the figures behind.
    for (QLineEdit *field : findChildren<QLineEdit *>()) {
        field->installEventFilter(this);
        // A field's menu edits its text, but undoes and redoes with the
        // window: the field's own undo would leave the figures behind.
        field->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(field, &QWidget::customContextMenuRequested, this, [this, field](QPoint at) {
            // What is typed counts first, as before any of the window's commands.
            if (field == focusWidget())
                commitTypedText();
            std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
            // Named so by the toolkit's own words: Qt 6.4 gives them no object names.
            for (QAction *edit : menu->actions())
                if (edit->text().startsWith(QLineEdit::tr("&Undo"))
                    || edit->text().startsWith(QLineEdit::tr("&Redo")))
                    menu->removeAction(edit);
            menu->insertActions(menu->actions().value(0), {m_undoAction, m_redoAction});
            menu->exec(field->mapToGlobal(at));
        });
    }
}

QAction *MainWindow::commandFor(const QKeyEvent &key) const
{
    const Qt::KeyboardModifiers aside = Qt::KeypadModifier | Qt::GroupSwitchModifier;
    const QKeySequence pressed(int(key.modifiers() & ~aside) | key.key());
    for (QAction *command : actions())
        if (command->shortcuts().contains(pressed))
            return command;
    return nullptr;
}

void MainWindow::commitTypedText()
{
    auto *field = qobject_cast<QLineEdit *>(focusWidget());
    if (field && field->isModified())
        emit field->editingFinished();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::ShortcutOverride || type == QEvent::KeyPress) {
        QAction *command = commandFor(*static_cast<QKeyEvent *>(event));
        // Selected text in a field is what Ctrl+C copies there.
        auto *field = qobject_cast<QLineEdit *>(watched);
        if (command == m_copyAction && field && field->hasSelectedText())
            command = nullptr;
        if (command) {
            // Taken from the shortcuts, so that it comes here as a key press
            // even while the command is off: typed text is committed first,
            // and may give Undo its step.
            if (type == QEvent::ShortcutOverride) {
                event->accept();
                return true;
            }
            commitTypedText();
            if (command->isEnabled())
                command->trigger();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::planShown(const Plan &plan)
{
    if (m_batch > 0)
        return;
    Shown now {plan, m_file};
    if (!m_recorded) {
        // The first figures shown are where the history begins.
        m_recorded = std::move(now);
    } else if (plan != m_recorded->plan || m_file != m_recorded->file) {
        m_history->push(new PlanStep(*this, *std::exchange(m_recorded, now), now));
    } else {
        return; // the same plan of the same file: the title stands
    }
    showFileState(plan);
}

void MainWindow::restoreShown(const Shown &shown)
{
    m_file = shown.file;
    showAsOneStep(shown.plan);
    m_recorded = Shown {currentPlan(), m_file};
    showFileState(m_recorded->plan);
}

bool MainWindow::differsFromFile(const Plan &plan) const
{
    // Untitled work has no file: it closes without a question.
    const auto saved = m_saved.constFind(*m_file);
    return saved != m_saved.cend() && *saved != plan;
}

void MainWindow::showFileState(const Plan &plan)
{
    const QString &path = *m_file;
    if (windowFilePath() != path) {
        setWindowFilePath(path);
        setWindowTitle(path.isEmpty()
                           ? m_title
                           : QFileInfo(path).fileName() + QStringLiteral("[*] - ") + m_title);
    }
    setWindowModified(differsFromFile(plan));
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
    const QString file = fileKey(path);
    m_saved.insert(file, *plan);
    if (*m_file != file)
        m_file = std::make_shared<QString>(file);
    applyPlan(*plan);
    // Opened again with the plan already shown, the file may now hold it.
    showFileState(currentPlan());
    m_recent.add(file);
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
    const QString file = fileKey(path);
    m_saved.insert(file, plan);
    m_recent.add(file);
    *m_file = file;
    showFileState(plan);
    return true;
}

// Where the file dialogs start: in the folder last used, beside the plan, or
// in the documents folder.
QString MainWindow::dialogFolder() const
{
    const QString last = m_recent.folder();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    if (!filePath().isEmpty())
        return QFileInfo(filePath()).absolutePath();
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
    return filePath().isEmpty() ? saveAs() : saveFile(filePath());
}

bool MainWindow::saveAs()
{
    QFileDialog dialog(this, tr("Save the plan"), dialogFolder(), planFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(filePath().isEmpty() ? tr("plan.nvrplan") : QFileInfo(filePath()).fileName());
    dialog.setDefaultSuffix(QStringLiteral("nvrplan"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    return saveFile(dialog.selectedFiles().constFirst());
}

bool MainWindow::maySetAside()
{
    commitTypedText();
    if (!differsFromFile(currentPlan()))
        return true;
    QMessageBox question(
        QMessageBox::Warning, m_title,
        tr("The plan “%1” has changes that are not saved.").arg(QFileInfo(filePath()).fileName()),
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

void MainWindow::about()
{
    QMessageBox::about(
        this, tr("About %1").arg(m_title),
        tr("<p><b>%1</b> %2</p>"
           "<p>Plans the disk space a network video recorder needs: per camera channel the "
           "bitrate and the storage of one day, the disk to keep a number of days, and how "
           "long an installed disk lasts.</p>"
           "<p>%3</p>"
           "<p>Licensed under the GNU General Public License, version 3 or later.</p>")
            .arg(m_title, QStringLiteral(NVR_VERSION), units_note.toHtmlEscaped()));
}

void MainWindow::showHelp()
{
    if (!m_help) {
        // A window of its own, read beside the calculator; Escape or Ctrl+W
        // closes it.
        auto *help = new QDialog(this);
        help->setModal(false);
        help->setWindowTitle(tr("%1 Help").arg(m_title));
        auto *close = new QAction(help);
        close->setShortcuts(QKeySequence::Close);
        connect(close, &QAction::triggered, help, &QWidget::close);
        help->addAction(close);
        auto *text = new QTextBrowser(help);
        text->setObjectName(QStringLiteral("helpText"));
        text->setSource(QUrl(QStringLiteral("qrc:/help/help.html")));
        auto *layout = new QVBoxLayout(help);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(text);
        help->resize(560, 620);
        m_help = help;
    }
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

QString MainWindow::planName() const
{
    return filePath().isEmpty() ? QStringLiteral("Untitled") : QFileInfo(filePath()).fileName();
}

void MainWindow::copyFigures()
{
    const Plan plan = currentPlan();
    QGuiApplication::clipboard()->setText(figuresText(planName(), plan, planFigures(plan)));
}

void MainWindow::chooseSite()
{
    QInputDialog dialog(this);
    dialog.setWindowTitle(tr("Site"));
    dialog.setLabelText(
        tr("The customer's site, as the report names it (up to %1 characters):").arg(site_limit));
    dialog.setTextValue(m_site);
    if (auto *field = dialog.findChild<QLineEdit *>())
        field->setMaxLength(site_limit);
    if (dialog.exec() != QDialog::Accepted)
        return;
    Plan plan = currentPlan();
    // Pasted lines become one.
    plan.site = dialog.textValue()
                    .replace(QLatin1Char('\r'), QLatin1Char(' '))
                    .replace(QLatin1Char('\n'), QLatin1Char(' '))
                    .trimmed();
    // One step to undo, like any other change of the plan.
    if (plan.site != m_site)
        applyPlan(plan);
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

void MainWindow::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    menu.addAction(m_openAction);
    QMenu *recent = menu.addMenu(tr("Open &Recent"));
    const QStringList files = m_recent.files();
    for (int i = 0; i < files.size(); ++i) {
        const QString &file = files[i];
        const QFileInfo info(file);
        // The folder too: two plans may share a name.
        QString text
            = QStringLiteral("%1 (%2)").arg(info.fileName(), QDir::toNativeSeparators(info.path()));
        QAction *entry = recent->addAction(QStringLiteral("&%1 ").arg(i + 1)
                                           + text.replace(QLatin1Char('&'), QStringLiteral("&&")));
        connect(entry, &QAction::triggered, this, [this, file] {
            // After the menu has closed: the question or the message may follow.
            QTimer::singleShot(0, this, [this, file] { openRecent(file); });
        });
    }
    recent->setEnabled(!files.isEmpty());
    menu.addActions({m_saveAction, m_saveAsAction});
    menu.addAction(m_exportReportAction);
    menu.addSeparator();
    menu.addActions({m_copyAction, m_siteAction});
    menu.addSeparator();
    menu.addActions({m_undoAction, m_redoAction});
    menu.addSeparator();
    menu.addActions({m_helpAction, m_aboutAction, m_quitAction});
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
        // A field has a menu of its own, as the Menu key opens there.
        if (qobject_cast<QLineEdit *>(at))
            QCoreApplication::sendEvent(at, &menu);
        else
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
