#include "webform.h"

int main()
{
    // Lives as long as the page: the runtime stays after main returns.
    static WebForm form;
    form.raiseLoad();
}
