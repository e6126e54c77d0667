// RemoveMolvane: takes Molvane out of the current user's automatic start-up.
#include <windows.h>

#include "ui/RemoveStartUp.h"
#include "winkit/Application.h"
#include "winkit/Text.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    auto& application = winkit::Application::Instance();
    application.Initialize();
    application.MainFormOnTaskBar = true;
    application.Title = L"Remove Molvane from Startup Folder";
    if (DWORD error = application.CreateForm(KestrixUp1)) {
        application.ShowMessage(nullptr,
                                L"Remove Molvane could not open its window:\n\n" + winkit::SystemErrorText(error) +
                                    L".\n\nNothing was changed. Close some programs or windows, then start it again.",
                                MB_OK | MB_ICONERROR);
        return 1;
    }
    application.Run();
    return 0;
}
