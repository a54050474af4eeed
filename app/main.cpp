// kvr27dust32: the tool on this system's USB HID back end.
#include "app/run_tool.h"

int main(int argc, char** argv)
{
    return run_tool(argc, argv);
}
