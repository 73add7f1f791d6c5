// What nvr-plan's start-up is measured against: a Qt Core program that does
// nothing. Built a second time linked to Qt Gui as well, to see what merely
// loading that library costs a program that never uses it.

#include <QCoreApplication>
#ifdef NVR_LINK_GUI
#include <QGuiApplication>
#endif

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
#ifdef NVR_LINK_GUI
    // Referenced, so the library is loaded, but never called.
    if (argc > 1000)
        return QGuiApplication::desktopSettingsAware();
#endif
    return 0;
}
