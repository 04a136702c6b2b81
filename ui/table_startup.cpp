#include "ui/table_startup.h"

#include <QApplication>

#include "ui/startup.h"

void SetUpTableApplication(QApplication& app) {
    SetUpApplication(app);
    QGuiApplication::setDesktopFileName(QStringLiteral(VELMORA_TABLE_APP_ID));
}
