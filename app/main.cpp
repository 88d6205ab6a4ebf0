#include "startup.h"

int main(int argc, char *argv[])
{
    return runTembrela(argc, argv);
}
