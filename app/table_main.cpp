#include "ui/table_program.h"

int main(int argc, char* argv[]) {
    return RunTableProgram(argc, argv);
}
