// Makes one control call the rules never make: removing a row that does
// not exist. The program must stop with a message naming the error.
#include "catalogue.h"
#include "memorysurface.h"

#include <cstdio>
#include <cstring>

int main(int argc, char **argv)
{
    quiz::MemorySurface surface(quiz::standardCatalogue());
    const char *call = argc > 1 ? argv[1] : "";
    if (std::strcmp(call, "remove") == 0)
        surface.List1(0).RemoveItem(5);
    else if (std::strcmp(call, "select") == 0)
        surface.List1(2).SetListIndex(22);
    else if (std::strcmp(call, "read") == 0)
        surface.List1(3).List(-2);
    else if (std::strcmp(call, "list") == 0)
        surface.List1(4);
    else if (std::strcmp(call, "option") == 0)
        surface.Option1(-1);
    else if (std::strcmp(call, "text") == 0)
        surface.Text1(1);
    std::puts("no error");
    return 0;
}
