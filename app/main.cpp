#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "ui/form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);

    // Qt's own texts (the fields' context menus) in Chinese like the rest; a missing file is fine.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }

    Form1 form;
    form.show();
    return QApplication::exec();
}
