// The program's start-up exactly as main runs it, timed by the first-expose filter.

#include <QApplication>

#include "bench/first_expose.h"
#include "ui/form1.h"
#include "ui/startup.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    FirstExpose probe;
    app.installEventFilter(&probe);
    SetUpApplication(app);
    Form1 form;
    form.show();
    return QApplication::exec();
}
