#include "ui/table_program.h"

#include <QApplication>
#include <QFile>

#include <iostream>
#include <optional>
#include <string_view>
#include <vector>

#include "table/table_cli.h"
#include "ui/table_document.h"
#include "ui/table_startup.h"
#include "ui/table_window.h"

int RunTableProgram(int& argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);

    // A PDF from the command line needs Qt's fonts and painting but no display: the offscreen
    // platform works on a server as well as on a desktop.
    int guiArgc = 3;
    char platform[] = "-platform";
    char offscreen[] = "offscreen";
    char* guiArgv[] = {argv[0], platform, offscreen, nullptr};
    std::optional<QGuiApplication> gui;

    table::TableHooks hooks;
    hooks.writePdf = [&](const calc::LevelTable& t, const table::TableHeader& header,
                         const std::filesystem::path& path) {
        if (!QCoreApplication::instance()) {
            gui.emplace(guiArgc, guiArgv);
        }
        // Written as the CSV is, with ".": the separator option is for reading the numbers.
        return WriteTablePdf({t, header, {"."}}, QFile::decodeName(path.c_str())).isEmpty();
    };
    hooks.openWindow = [&] {
        QApplication app(argc, argv);
        SetUpTableApplication(app);
        TableWindow window;
        window.show();
        return QApplication::exec();
    };
    return table::RunTable(args, std::cout, std::cerr, hooks);
}
