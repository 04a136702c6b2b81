#include "ui/table_program.h"

#include <QApplication>
#include <QFile>
#include <QtGlobal>

#include <iostream>
#include <optional>
#include <string_view>
#include <vector>

#include "table/table_cli.h"
#include "ui/table_document.h"
#include "ui/table_startup.h"
#include "ui/table_window.h"

namespace {

// Qt's notes on its own state (a missing runtime directory, what a platform plugin lacks) are not
// the program's to report: standard error carries only warnings of ours.
void QuietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::cerr << message.toStdString() << '\n';
    }
}

bool HaveDisplay() {
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
}

} // namespace

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
            qInstallMessageHandler(QuietQtNotes);
            gui.emplace(guiArgc, guiArgv);
        }
        // Written as the CSV is, with ".": the separator option is for reading the numbers.
        return WriteTablePdf({t, header, {"."}}, QFile::decodeName(path.c_str())).isEmpty();
    };
    hooks.openWindow = [&] {
        // Without a display the window cannot open: say so, and how to use the command line.
        if (!HaveDisplay()) {
            std::cerr << "velmora-table: 没有可以打开窗口的显示器（未设置 DISPLAY 或 "
                         "WAYLAND_DISPLAY）。\n"
                      << table::UsageText(true);
            return table::ExitUsage;
        }
        QApplication app(argc, argv);
        SetUpTableApplication(app);
        TableWindow window;
        window.show();
        return QApplication::exec();
    };
    return table::RunTable(args, std::cout, std::cerr, hooks);
}
