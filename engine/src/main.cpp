// jad: the Zefra decompiler engine on the command line.
#include <iostream>
#include <string>
#include <vector>

#include "cli/Driver.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return jad::runJad(arguments, std::cout, std::cerr);
}
