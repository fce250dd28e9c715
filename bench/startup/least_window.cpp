// SPDX-License-Identifier: GPL-3.0-or-later
// The least Qt Widgets program with a window and a menu: the baseline that
// startup_memory.sh measures Ventoral's start against.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Least");
    window.menuBar()->addMenu("&File")->addAction("E&xit", &app, &QApplication::quit);
    window.resize(640, 480);
    window.show();
    return app.exec();
}
