// RemoveMolvane: takes Molvane out of the current user's automatic start-up.
#include <windows.h>

#include "ui/RemoveStartUp.h"
#include "winkit/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    auto& application = winkit::Application::Instance();
    application.Initialize();
    application.MainFormOnTaskBar = true;
    application.Title = L"Remove Molvane from Startup Folder";
    application.CreateForm(KestrixUp1);
    application.Run();
    return 0;
}
