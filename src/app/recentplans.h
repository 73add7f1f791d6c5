#pragma once

#include <QString>
#include <QStringList>

// The plans last opened or saved, newest first, and the folder a file dialog
// last used: kept between sessions in the user's settings.
namespace RecentPlans {

constexpr int limit = 8;

QStringList files();
// file to the top of the list, once, and its folder the last used; the
// oldest beyond the limit goes.
void add(const QString &file);
void remove(const QString &file);

// Empty until a file was first opened or saved.
QString folder();
void setFolder(const QString &folder);

} // namespace RecentPlans
