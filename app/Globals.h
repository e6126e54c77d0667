// State shared by the whole program: the product's settings that live
// outside the window, and the data-folder rule.
#pragma once

#include <string>

struct TGlobals {
    std::wstring DataFolder;  // holds Options.ini; no trailing delimiter
    std::wstring OptionText5;
    std::wstring OptionText6;
    std::wstring OptionText7;
    bool RunAtStartup = false;
};

// Created empty when the program starts and never released.
extern TGlobals& GlobalState;

// Sets GlobalState.DataFolder: Molvane's fixed data folder when a directory
// exists there, otherwise the folder holding this executable.
void ResolveDataFolder();
