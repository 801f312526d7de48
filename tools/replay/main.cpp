#include "Replay.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    return kyt::replay::main(argc, argv, std::cin, std::cout, std::cerr);
}
