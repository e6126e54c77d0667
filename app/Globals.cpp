#include "app/Globals.h"

#include "app/DataFolderRule.h"
#include "winkit/Files.h"

TGlobals& GlobalState = *new TGlobals{};

void ResolveDataFolder() {
    GlobalState.DataFolder = app::ChooseDataFolder(winkit::DirectoryExists(app::kFixedDataFolder),
                                                   winkit::ProgramFileName());
}
