// The yardstick of the start-up benchmark: the minimal comctl32 sheet alone.
#include "bench/MinimalSheet.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    minimal_sheet::ShowMinimalSheet(instance);
    return 0;
}
