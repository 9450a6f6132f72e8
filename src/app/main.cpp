#include "app/application.h"
#include <cstdio>
#include <cstring>

int main(int argc, char **argv)
{
    // Answered before anything starts: scripts and the update check's tests
    // ask an installed program file which version it is.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("VSselain " VS_VERSION);
        return 0;
    }
    return runApplication(argc, argv);
}
