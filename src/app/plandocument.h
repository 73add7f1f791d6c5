#pragma once

#include "plan.h"

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QUndoStack;

// The plan the window shows, as a document: the file it belongs to, what each
// file held when it was last opened or saved here, the undo history, and
// whether there are changes to save. It knows no widget: the window shows
// plans, reports each one it shows, and asks the document about the rest.
class PlanDocument : public QObject
{
    Q_OBJECT

public:
    // Shows a plan in the window without it being recorded, and gives the
    // plan the window then shows.
    using Show = std::function<Plan(const Plan &)>;

    explicit PlanDocument(Show show, QObject *parent = nullptr);

    QUndoStack *history() const { return m_history; }

    // The file of the plan shown, absolute; empty while it is untitled.
    QString filePath() const { return *m_file; }
    // What the plan goes by: its file's name, or "Untitled".
    QString name() const;

    // Whether plan has changes its file does not hold; untitled, whether it
    // differs from the plan the window starts with. Only what a file keeps
    // counts; the undo history records every change.
    bool differs(const Plan &plan) const;
    // The same for the plan last shown.
    bool isModified() const { return m_recorded && differs(m_recorded->plan); }

    // The window shows plan. A plan, or a file, that differs from the last
    // one recorded becomes an undo step; the first is where the history begins.
    void record(const Plan &plan);
    // plan was read from path and is about to be shown as that file's work;
    // the same file opened again is the same work.
    void open(const QString &path, const Plan &plan);
    // plan was written to path: the work's file, for all its steps.
    void saved(const QString &path, const Plan &plan);
    // The plan about to be shown is new work of its own, untitled: saving
    // it never renames the work before it.
    void startUntitled();

signals:
    // The file, or whether it has changes, may read differently now.
    void stateChanged();

private:
    friend class PlanStep;
    // What an undo step restores: a plan and the file it belongs to. Save As
    // renames the file of every step of its work, so the steps share it.
    struct Shown
    {
        Plan plan;
        std::shared_ptr<QString> file;
    };
    void restore(const Shown &shown);

    Show m_show;
    QUndoStack *m_history;
    std::shared_ptr<QString> m_file = std::make_shared<QString>();
    QHash<QString, Plan> m_saved;
    // The state of the last undo step; empty before the first plan is shown.
    std::optional<Shown> m_recorded;
};
