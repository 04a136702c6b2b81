#pragma once

// The command line of velmora-table: a vessel's 容量表 written as a file, or the level for a
// volume, fill percentage or mass, without a window. Warnings go to err in the calculator's words
// (exit status 1), usage errors print the usage (exit status 2). What needs Qt (the .pdf and the
// window) comes in through TableHooks, so this library links none of it.

#include <filesystem>
#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "calc/level_table.h"
#include "table/table_files.h"

namespace table {

inline constexpr int ExitOk = 0;
inline constexpr int ExitWarning = 1; // a warning, or a file that could not be written
inline constexpr int ExitUsage = 2;

struct TableHooks {
    // Writes the table as a PDF document to the path given, a new temporary file beside the
    // target that is renamed over it afterwards; false when it could not. Unset: a .pdf output is
    // a usage error.
    std::function<bool(const calc::LevelTable&, const TableHeader&, const std::filesystem::path&)>
        writePdf;
    // Runs the table window, when the program is started without any argument; returns the exit
    // status. Unset: the usage is printed instead.
    std::function<int()> openWindow;
    // The date for a file's header block. Unset: LocalDateText.
    std::function<std::string()> today;
};

// The usage text, listing .pdf among the outputs when withPdf.
std::string UsageText(bool withPdf);

// Runs the program on its arguments (without the program's name) and returns its exit status.
// out gets an inverse query's level, --help and --version; err gets warnings and usage errors.
int RunTable(std::span<const std::string_view> args, std::ostream& out, std::ostream& err,
             const TableHooks& hooks = {});

} // namespace table
