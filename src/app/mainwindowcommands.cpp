// The window's commands: their actions and keys, the menu bar and the context
// menu, the keys from inside a field, and the commands that are no file's.

#include "mainwindow.h"

#include "disksdialog.h"
#include "plandocument.h"
#include "plantable.h"
#include "version.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTextBrowser>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>

void MainWindow::createActions()
{
    QUndoStack *history = m_document->history();
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
    m_newAction
        = action(tr("&New"), QKeySequence::keyBindings(QKeySequence::New), [this] { newPlan(); });
    m_openAction
        = action(tr("&Open…"), QKeySequence::keyBindings(QKeySequence::Open), [this] { open(); });
    m_saveAction
        = action(tr("&Save"), QKeySequence::keyBindings(QKeySequence::Save), [this] { save(); });
    m_saveAsAction
        = action(tr("Save &As…"), {QKeySequence(tr("Ctrl+Shift+S"))}, [this] { saveAs(); });
    m_exportReportAction
        = action(tr("&Export report…"), {QKeySequence(tr("Ctrl+E"))}, [this] { exportReport(); });
    m_undoAction = action(tr("&Undo"), QKeySequence::keyBindings(QKeySequence::Undo),
                          [history] { history->undo(); });
    m_redoAction
        = action(tr("&Redo"), {QKeySequence(tr("Ctrl+Shift+Z")), QKeySequence(tr("Ctrl+Y"))},
                 [history] { history->redo(); });
    m_undoAction->setEnabled(false);
    m_redoAction->setEnabled(false);
    connect(history, &QUndoStack::canUndoChanged, m_undoAction, &QAction::setEnabled);
    connect(history, &QUndoStack::canRedoChanged, m_redoAction, &QAction::setEnabled);

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
    m_disksAction = action(tr("&Disks…"), {}, [this] { showDisks(); });
    // "A" is Save As's in the context menu, which holds both.
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

void MainWindow::createMenus()
{
    // "R" is Redo's in the context menu, which holds both.
    m_recentMenu = new QMenu(tr("Open Recen&t"), this);
    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->addActions({m_newAction, m_openAction});
    file->addMenu(m_recentMenu);
    file->addActions({m_saveAction, m_saveAsAction, m_exportReportAction});
    file->addSeparator();
    file->addAction(m_quitAction);
    connect(file, &QMenu::aboutToShow, this, &MainWindow::refreshRecentMenu);
    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    edit->addActions({m_undoAction, m_redoAction});
    edit->addSeparator();
    edit->addActions({m_copyAction, m_siteAction, m_disksAction});
    menuBar()->addMenu(tr("&Help"))->addActions({m_helpAction, m_aboutAction});
    refreshRecentMenu();

    // The form keeps its size and place under the bar: the window grows by it.
    const int bar = menuBar()->sizeHint().height();
    setMinimumHeight(minimumHeight() + bar);
    setMaximumHeight(maximumHeight() + bar);
    resize(width(), height() + bar);
}

void MainWindow::refreshRecentMenu()
{
    m_recentMenu->clear();
    const QStringList files = m_recent.files();
    for (int i = 0; i < files.size(); ++i) {
        const QString &file = files[i];
        const QFileInfo info(file);
        // The folder too: two plans may share a name.
        QString text
            = QStringLiteral("%1 (%2)").arg(info.fileName(), QDir::toNativeSeparators(info.path()));
        QAction *entry
            = m_recentMenu->addAction(QStringLiteral("&%1 ").arg(i + 1)
                                      + text.replace(QLatin1Char('&'), QStringLiteral("&&")));
        connect(entry, &QAction::triggered, this, [this, file] {
            // After the menu has closed: the question or the message may follow.
            QTimer::singleShot(0, this, [this, file] { openRecent(file); });
        });
    }
    m_recentMenu->setEnabled(!files.isEmpty());
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
        // In the Disks window only undo and redo are the plan's keys.
        const auto *widget = qobject_cast<const QWidget *>(watched);
        if (widget && widget->window() != this && command != m_undoAction
            && command != m_redoAction)
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
            // A number typed in the Disks window's bays counts first too.
            if (auto *spin = qobject_cast<QAbstractSpinBox *>(watched))
                spin->interpretText();
            if (command->isEnabled())
                command->trigger();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::contextMenuEvent(QContextMenuEvent *event)
{
    refreshRecentMenu();
    QMenu menu(this);
    menu.addActions({m_newAction, m_openAction});
    menu.addMenu(m_recentMenu);
    menu.addActions({m_saveAction, m_saveAsAction, m_exportReportAction});
    menu.addSeparator();
    menu.addActions({m_copyAction, m_siteAction, m_disksAction});
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

void MainWindow::about()
{
    QMessageBox::about(
        this, tr("About %1").arg(m_title),
        tr("<p><b>%1</b> %2</p>"
           "<p>Plans the disk space a network video recorder needs: per camera channel the "
           "bitrate and the storage of one day, the disk to keep a number of days, how "
           "long an installed disk lasts, and the disks to buy for the recorder.</p>"
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

void MainWindow::copyFigures()
{
    const Plan plan = currentPlan();
    QGuiApplication::clipboard()->setText(figuresText(m_document->name(), plan, planFigures(plan)));
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

void MainWindow::showDisks()
{
    if (!m_disks) {
        m_disks = new DisksDialog(this);
        // Undone and redone there too: its layout and bays are steps.
        m_disks->addActions({m_undoAction, m_redoAction});
        for (QWidget *field : m_disks->findChildren<QAbstractSpinBox *>())
            field->installEventFilter(this);
        // The layout and the bays are the plan's: a change is a step to undo.
        connect(m_disks, &DisksDialog::disksChosen, this, [this](const DiskSettings &disks) {
            commitTypedText();
            Plan plan = currentPlan();
            plan.disks = disks;
            applyPlan(plan);
        });
        // The set chosen becomes the installed disk, in one step.
        connect(m_disks, &DisksDialog::usableChosen, this, [this](std::int64_t usableGb) {
            commitTypedText();
            Plan plan = currentPlan();
            plan.installedHddGb = QString::number(usableGb);
            applyPlan(plan);
        });
    }
    const Plan plan = currentPlan();
    m_disks->showPlan(plan, planFigures(plan));
    m_disks->show();
    m_disks->raise();
    m_disks->activateWindow();
}
