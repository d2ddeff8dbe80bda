// Prints the notation names, one line, for the manual page the build writes.
#include <cstdio>

#include "core/notations.h"

int main() {
    std::printf("%s", velmor::NotationNameList().c_str());
    return 0;
}
