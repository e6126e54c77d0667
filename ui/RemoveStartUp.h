// The main window: asks for the Startup folder when shown, and on OK removes
// Molvane.exe from it and clears Molvane's start-up flag in Options.ini.
#pragma once

#include <cstdint>
#include <string>

#include "settings/OptionsFile.h"
#include "winkit/FolderBrowseDlg.h"
#include "winkit/Form.h"

// Full path of the file the removal deletes; empty until a folder is chosen.
extern std::wstring TargetPath;

// The window's stored definition, and the chooser's stored settings.
extern const winkit::FormDefinition KestrixUp1Definition;
extern const winkit::FolderBrowseSettings KestrixUp1Chooser;

class TKestrixUp1 : public winkit::Form {
public:
    TKestrixUp1() : Form(KestrixUp1Definition) {}

    void FormShow();
    void FormResize();
    void OKBtnClick();

    bool LoadOptions();
    bool SaveOptions();

protected:
    void OnShow() override { FormShow(); }
    void OnResize() override { FormResize(); }
    void OnClick(int controlId) override;

private:
    std::wstring OptionsPath() const;
    void ReportOptionsNotUpdated();

    winkit::TPTFolderBrowseDlg PTFolderBrowseDlg1{KestrixUp1Chooser};

    std::int32_t OptionValue1 = 0;
    std::int32_t OptionValue2 = 0;
    std::int32_t OptionValue3 = 0;
    std::int32_t OptionValue4 = 0;

    // What the load found, which decides whether and how the file may be saved.
    enum class OptionsFileState { Absent, Read, Unreadable };
    OptionsFileState optionsState_ = OptionsFileState::Absent;
    unsigned long optionsError_ = 0;   // Win32 code of the last failed read or save
    int badLine_ = 0;                  // the line that did not convert, when not 0
    settings::OptionValues loaded_;    // lines as read, to write unchanged texts back byte for byte
    std::string tail_;                 // what followed line 8
};

extern TKestrixUp1* KestrixUp1;
