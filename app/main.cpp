#include <QApplication>

#include "ui/form1.h"
#include "ui/startup.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    SetUpApplication(app);
    Form1 form;
    form.show();
    return QApplication::exec();
}
