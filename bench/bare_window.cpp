// The reference: an empty QMainWindow of the main window's size that exits on its first paint.
#include "FirstPaint.h"

#include <QApplication>
#include <QMainWindow>


int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1018, 741); // the design client area at scale 1
    FirstPaint firstPaint;
    window.installEventFilter(&firstPaint);
    window.show();
    return app.exec();
}
