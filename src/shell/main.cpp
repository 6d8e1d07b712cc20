// Brokerbook: the program's entry.
#include "shell/program_start.h"

int main(int argc, char** argv) {
    return bb::runProgram(argc, argv);
}
