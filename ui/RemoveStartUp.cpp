#include "ui/RemoveStartUp.h"

#include <algorithm>

#include "app/Globals.h"
#include "winkit/Application.h"
#include "winkit/Files.h"
#include "winkit/Text.h"

std::wstring TargetPath;
TKestrixUp1* KestrixUp1 = nullptr;

namespace {

constexpr wchar_t kTargetName[] = L"Molvane.exe";

// The file to remove in the confirmed folder; empty unless that folder is the
// Startup folder or lies below it, so a confirmed item without a file-system
// path can never name a file at the root of a drive.
std::wstring TargetIn(std::wstring folder, const std::wstring& startupFolder) {
    if (folder.empty() || !winkit::IsSameOrBelow(folder, startupFolder)) return {};
    if (folder.back() != L'\\') folder += L'\\';
    return folder + kTargetName;
}

// Options.ini is read whole into memory; Molvane's own is a few hundred bytes.
// A file far larger than that is not read, and so never rewritten.
constexpr std::size_t kMaxOptionsBytes = 16u << 20;

bool IsReadOnly(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(winkit::ApiPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// What the user can do when Molvane.exe could not be deleted.
std::wstring DeleteAdvice(const std::wstring& path, DWORD error) {
    if (IsReadOnly(path))
        return L"The file is read-only. Clear its Read-only attribute (in the file's Properties), then press OK "
               L"again.";
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
        return L"Another program has the file open. Close that program, or Molvane if it is running, then press "
               L"OK again.";
    if (error == ERROR_ACCESS_DENIED)
        return L"Molvane may be running from this file, or your account may not be allowed to delete it. Close "
               L"Molvane if it is running, then press OK again.";
    return L"Press OK to try again, or close this window to leave everything as it is.";
}

// A hint, after the system's words, for why Options.ini could not be read or written.
std::wstring OptionsAdvice(const std::wstring& path, DWORD error) {
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
        return L" Another program, perhaps Molvane, has the file open.";
    if (error == ERROR_ACCESS_DENIED)
        return IsReadOnly(path) ? L" The file is read-only."
                                : L" Another program, perhaps Molvane, may have the file open, or your account may "
                                  L"not be allowed to change it.";
    return {};
}

void Tell(HWND owner, const std::wstring& text, UINT icon) {
    winkit::Application::Instance().ShowMessage(owner, text, MB_OK | icon);
}

}  // namespace

std::wstring TKestrixUp1::OptionsPath() const { return GlobalState.DataFolder + L"\\Options.ini"; }

void TKestrixUp1::FormShow() {
    ResolveDataFolder();
    LoadOptions();

    PTFolderBrowseDlg1.Title = L"Click on StartUp Folder";
    PTFolderBrowseDlg1.BaseFolder = KestrixUp1Chooser.baseFolder;
    // Without a Startup folder the chooser would open at the Desktop and offer
    // folders that Molvane cannot start from; say so instead.
    std::wstring startupFolder = PTFolderBrowseDlg1.BaseFolderPath();
    if (startupFolder.empty())
        Tell(Handle(),
             L"Your Startup folder could not be found, so Molvane.exe cannot be in it and there is nothing to "
             L"remove.\n\nIf Molvane still starts with Windows, turn that off in Molvane's own settings.",
             MB_ICONWARNING);
    else if (PTFolderBrowseDlg1.Execute())
        TargetPath = TargetIn(PTFolderBrowseDlg1.SelectedFolder(), startupFolder);

    HWND label2 = Control(L"Label2");
    SetLabelText(label2, TargetPath);
    RECT bounds = BoundsInParent(label2);
    SetBounds(label2, bounds.left, bounds.top, bounds.right - bounds.left, Scale(85));
}

void TKestrixUp1::FormResize() {
    HWND label2 = Control(L"Label2");
    RECT outer{};
    GetWindowRect(Handle(), &outer);
    RECT bounds = BoundsInParent(label2);
    SetBounds(label2, bounds.left, bounds.top, (outer.right - outer.left) - Scale(80), bounds.bottom - bounds.top);
}

void TKestrixUp1::OnClick(int controlId) {
    if (controlId == IDOK) OKBtnClick();
}

void TKestrixUp1::OKBtnClick() {
    if (winkit::FileExists(TargetPath)) {
        if (DWORD error = winkit::DeleteOneFile(TargetPath)) {
            // Nothing changed: keep the window open so the user can try again.
            Tell(Handle(),
                 L"Molvane.exe could not be removed from the Startup folder:\n\n" + TargetPath + L"\n\n" +
                     winkit::SystemErrorText(error) + L".\n\n" + DeleteAdvice(TargetPath, error) +
                     L"\n\nNothing was changed.",
                 MB_ICONERROR);
            return;
        }
        // Read the file again just before rewriting it, so that whatever
        // changed in it while this window was open is kept, and a file that
        // could not be read at first but can be now is updated after all.
        LoadOptions();
        GlobalState.RunAtStartup = false;
        if (!SaveOptions()) ReportOptionsNotUpdated();
    }
    Close();
}

void TKestrixUp1::ReportOptionsNotUpdated() {
    const std::wstring path = OptionsPath();
    std::wstring why;
    if (badLine_)
        why = L"Line " + winkit::DecimalText(badLine_) + L" does not hold a whole number.";
    else if (winkit::DirectoryExists(path))
        why = L"There is a folder of that name, not a file.";
    else if (optionsError_ == ERROR_FILE_TOO_LARGE)
        why = L"The file is larger than " + winkit::DecimalText(kMaxOptionsBytes >> 20) +
              L" MB, far too large to be Molvane's settings.";
    else
        why = winkit::SystemErrorText(optionsError_) + L"." + OptionsAdvice(path, optionsError_);

    std::wstring text = L"Molvane was removed from start-up, but its settings file could not be updated:\n\n" +
                        path + L"\n\n" + why + L"\n\n";
    if (optionsState_ == OptionsFileState::Unreadable)
        text += L"The file could not be read, so it was left exactly as it was.";
    else if (winkit::FileExists(path))
        text += L"The file was left as it was.";
    else
        text += L"Nothing was written.";
    text += L" Molvane may still show that it starts with Windows; you can turn that off in Molvane's own "
            L"settings.";
    Tell(Handle(), text, MB_ICONWARNING);
}

bool TKestrixUp1::LoadOptions() {
    badLine_ = 0;
    winkit::ReadResult file = winkit::ReadWholeFile(OptionsPath(), kMaxOptionsBytes);
    if (file.status != winkit::ReadResult::Read) {
        optionsState_ = file.status == winkit::ReadResult::NotFound ? OptionsFileState::Absent
                                                                    : OptionsFileState::Unreadable;
        optionsError_ = file.error;
        return false;
    }

    std::int32_t* integers[] = {&OptionValue1, &OptionValue2, &OptionValue3, &OptionValue4};
    std::wstring* texts[] = {&GlobalState.OptionText5, &GlobalState.OptionText6, &GlobalState.OptionText7};
    settings::OptionValues values;
    for (int i = 0; i < settings::kIntegerLines; ++i) values.integers[i] = *integers[i];

    // Each line's value is stored as soon as it is read; a failure leaves the
    // later lines' fields as they were.
    settings::ParseResult result = settings::ParseOptions(file.bytes, values);
    for (int i = 0; i < std::min(result.linesStored, settings::kIntegerLines); ++i) *integers[i] = values.integers[i];
    for (int i = 0; i < settings::kTextLines; ++i)
        if (result.linesStored > settings::kIntegerLines + i) *texts[i] = winkit::FromAnsi(values.texts[i]);
    if (result.linesStored == settings::kLines) GlobalState.RunAtStartup = values.runAtStartup;

    if (!result.complete) {
        optionsState_ = OptionsFileState::Unreadable;
        badLine_ = result.linesStored + 1;
        return false;
    }
    optionsState_ = OptionsFileState::Read;
    loaded_ = std::move(values);
    tail_ = std::move(result.tail);
    return true;
}

bool TKestrixUp1::SaveOptions() {
    // A file that exists but could not be read whole is never overwritten.
    if (optionsState_ == OptionsFileState::Unreadable) return false;

    const std::wstring* texts[] = {&GlobalState.OptionText5, &GlobalState.OptionText6, &GlobalState.OptionText7};
    settings::OptionValues values;
    values.integers = {OptionValue1, OptionValue2, OptionValue3, OptionValue4};
    for (int i = 0; i < settings::kTextLines; ++i) {
        // A text that is still what was read goes back as the very bytes read.
        const std::string& original = loaded_.texts[i];
        bool unchanged = optionsState_ == OptionsFileState::Read && winkit::FromAnsi(original) == *texts[i];
        values.texts[i] = unchanged ? original : winkit::ToAnsi(*texts[i]);
    }
    values.runAtStartup = GlobalState.RunAtStartup;

    auto mode = optionsState_ == OptionsFileState::Read ? winkit::ReplaceMode::ReplaceExisting
                                                        : winkit::ReplaceMode::MustNotExist;
    optionsError_ = winkit::WriteFileAtomically(OptionsPath(), settings::FormatOptions(values, tail_), mode);
    return optionsError_ == 0;
}
