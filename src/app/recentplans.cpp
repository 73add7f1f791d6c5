#include "recentplans.h"

#include <QFileInfo>

namespace {

const QString files_key = QStringLiteral("recentPlans");
const QString folder_key = QStringLiteral("lastFolder");

} // namespace

RecentPlans::RecentPlans()
    : m_settings(QStringLiteral("nvr-calculator"), QStringLiteral("nvr-calculator"))
{
}

QStringList RecentPlans::files() const
{
    return m_settings.value(files_key).toStringList().mid(0, limit);
}

void RecentPlans::add(const QString &file)
{
    QStringList list = files();
    list.removeAll(file);
    list.prepend(file);
    while (list.size() > limit)
        list.removeLast();
    m_settings.setValue(files_key, list);
    setFolder(QFileInfo(file).absolutePath());
}

void RecentPlans::remove(const QString &file)
{
    QStringList list = files();
    list.removeAll(file);
    m_settings.setValue(files_key, list);
}

QString RecentPlans::folder() const
{
    return m_settings.value(folder_key).toString();
}

void RecentPlans::setFolder(const QString &folder)
{
    m_settings.setValue(folder_key, folder);
}
