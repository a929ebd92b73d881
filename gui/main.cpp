#include <QApplication>

#include "gui/app/aboutbox.h"
#include "gui/app/mainwindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The name the desktop shows for the program. Qt would append an explicitly set
    // display name to every window title; the application name gives the same name
    // without changing the titles.
    QApplication::setApplicationName(QStringLiteral("Orlendt's Ashmere Tabwright"));
    QApplication::setWindowIcon(QIcon(tw::ProgramIconPixmap()));
    // Lets the desktop match the windows with the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tabwright.Tabwright"));

    tw::TForm1 window;
    window.showMaximized();
    return app.exec();
}
