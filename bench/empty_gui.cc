// The smallest Windows GUI program, built with the product's flags: the floor that bench/run compares the
// shipped programs' sizes with.
#include <windows.h>

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) { return 0; }
