#include <windows.h>

#include "win/form1.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    win::Form1 form(instance);
    form.Show(showCommand);
    return form.Run();
}
