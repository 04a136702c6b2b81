// The 容量表 window's start-up exactly as velmora-table runs it without options, timed by the
// first-expose filter.

#include <QApplication>

#include "bench/first_expose.h"
#include "ui/table_startup.h"
#include "ui/table_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    FirstExpose probe;
    app.installEventFilter(&probe);
    SetUpTableApplication(app);
    TableWindow window;
    window.show();
    return QApplication::exec();
}
