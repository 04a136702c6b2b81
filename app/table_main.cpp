#include <iostream>
#include <string_view>
#include <vector>

#include "table/table_cli.h"

int main(int argc, char* argv[]) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    return table::RunTable(args, std::cout, std::cerr);
}
