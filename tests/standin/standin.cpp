// A stand-in for Molvane in the end-to-end runs: copied into the Startup
// folder as Molvane.exe and started, so the file is a running executable.
// It shows nothing and does nothing; it ends by itself after two minutes in
// case the run that started it never ends it.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    Sleep(120000);
    return 0;
}
