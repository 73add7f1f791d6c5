#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>

// The plans last opened or saved, newest first, and the folder a file dialog
// last used: kept between sessions in the user's settings. Changes are
// written out after the event that made them, not while the window waits.
class RecentPlans
{
public:
    static constexpr int limit = 8;

    RecentPlans();

    QStringList files() const;
    // file to the top of the list, once, and its folder the last used; the
    // oldest beyond the limit goes.
    void add(const QString &file);
    void remove(const QString &file);

    // Empty until a file was first opened or saved.
    QString folder() const;
    void setFolder(const QString &folder);

private:
    // ~/.config/nvr-calculator/nvr-calculator.conf, or where XDG_CONFIG_HOME says.
    QSettings m_settings;
};
