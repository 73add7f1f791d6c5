#include "recentplans.h"

#include <QFileInfo>
#include <QSettings>

namespace {

// ~/.config/nvr-calculator/nvr-calculator.conf, or where XDG_CONFIG_HOME says.
QSettings settings()
{
    return QSettings(QStringLiteral("nvr-calculator"), QStringLiteral("nvr-calculator"));
}

const QString files_key = QStringLiteral("recentPlans");
const QString folder_key = QStringLiteral("lastFolder");

} // namespace

QStringList RecentPlans::files()
{
    return settings().value(files_key).toStringList().mid(0, limit);
}

void RecentPlans::add(const QString &file)
{
    QStringList list = files();
    list.removeAll(file);
    list.prepend(file);
    while (list.size() > limit)
        list.removeLast();
    QSettings kept = settings();
    kept.setValue(files_key, list);
    kept.setValue(folder_key, QFileInfo(file).absolutePath());
}

void RecentPlans::remove(const QString &file)
{
    QStringList list = files();
    list.removeAll(file);
    settings().setValue(files_key, list);
}

QString RecentPlans::folder()
{
    return settings().value(folder_key).toString();
}

void RecentPlans::setFolder(const QString &folder)
{
    settings().setValue(folder_key, folder);
}
