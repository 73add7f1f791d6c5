#include "plandocument.h"

#include <QFileInfo>
#include <QUndoCommand>
#include <QUndoStack>

#include <utility>

// One undo step: the whole state before and after a change. A plan is a few
// hundred bytes, so snapshots are simpler than inverse operations and exact.
class PlanStep : public QUndoCommand
{
public:
    PlanStep(PlanDocument &document, PlanDocument::Shown before, PlanDocument::Shown after)
        : m_document(document)
        , m_before(std::move(before))
        , m_after(std::move(after))
    {
    }

    void undo() override { m_document.restore(m_before); }
    void redo() override
    {
        // The window already shows the plan when the step is pushed.
        if (!std::exchange(m_pushed, false))
            m_document.restore(m_after);
    }

private:
    PlanDocument &m_document;
    PlanDocument::Shown m_before;
    PlanDocument::Shown m_after;
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

} // namespace

PlanDocument::PlanDocument(Show show, QObject *parent)
    : QObject(parent)
    , m_show(std::move(show))
    , m_history(new QUndoStack(this))
{
    // Far more than anyone undoes; a step is two plans.
    m_history->setUndoLimit(1000);
}

QString PlanDocument::name() const
{
    return m_file->isEmpty() ? QStringLiteral("Untitled") : QFileInfo(*m_file).fileName();
}

bool PlanDocument::differs(const Plan &plan) const
{
    // What a save would write: a bitrate kept unused is no change to save.
    if (m_file->isEmpty())
        return asFiled(plan) != Plan();
    const auto saved = m_saved.constFind(*m_file);
    return saved != m_saved.cend() && asFiled(*saved) != asFiled(plan);
}

void PlanDocument::record(const Plan &plan)
{
    Shown now {plan, m_file};
    if (!m_recorded) {
        m_recorded = std::move(now);
    } else if (plan != m_recorded->plan || m_file != m_recorded->file) {
        m_history->push(new PlanStep(*this, *std::exchange(m_recorded, now), now));
    } else {
        return; // the same plan of the same file: nothing to tell
    }
    emit stateChanged();
}

void PlanDocument::restore(const Shown &shown)
{
    m_file = shown.file;
    m_recorded = Shown {m_show(shown.plan), m_file};
    emit stateChanged();
}

void PlanDocument::open(const QString &path, const Plan &plan)
{
    const QString file = fileKey(path);
    m_saved.insert(file, plan);
    if (*m_file != file)
        m_file = std::make_shared<QString>(file);
}

void PlanDocument::saved(const QString &path, const Plan &plan)
{
    const QString file = fileKey(path);
    m_saved.insert(file, plan);
    *m_file = file;
}

void PlanDocument::startUntitled()
{
    m_file = std::make_shared<QString>();
}
