#include "ui/startup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void SetUpApplication(QApplication& app) {
    QGuiApplication::setDesktopFileName(QStringLiteral(VELMORA_APP_ID));

    auto* texts = new QTranslator(&app);
    if (texts->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                    QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(texts);
    } else {
        delete texts;
    }
}
