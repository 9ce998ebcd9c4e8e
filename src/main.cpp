#include <cstdio>

#include "app/Globals.h"
#include "app/Paths.h"

int main(int argc, char** argv)
{
    printf("\nFIREUP: VT_kernel\n");
    printf("Vantrel build '20030823'\n");
    for (int i = 1; i < argc; i++)
        printf(" %d: '%s' \n", i, argv[i]);

    // The real file, not argv[0]: started through PATH, argv[0] is a bare
    // name and every data path built from it would be wrong.
    path2app = FindProgramPath(argc > 0 ? argv[0] : nullptr);
    return 0;
}
