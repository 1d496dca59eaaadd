#include "tests/test_support.h"

#include <shellapi.h>

#include "storage/program_folder.h"
#include "storage/settings.h"
#include "storage/wide_text.h"

namespace {

MessageBoxAnswerer* g_answerer = nullptr;

// The message box's icon, told apart by the system icon it shows.
UINT IconOf(HWND box)
{
    // Windows numbers the icon control 0x14, Wine 0x440.
    HWND iconControl = GetDlgItem(box, 0x14);
    if (!iconControl)
        iconControl = GetDlgItem(box, 0x440);
    if (!iconControl)
        return 0;
    HICON shown = (HICON)SendMessageW(iconControl, STM_GETICON, 0, 0);
    if (!shown)
        return 0;
    struct { LPCWSTR id; UINT flag; } icons[] = {
        { IDI_HAND, MB_ICONERROR },
        { IDI_ASTERISK, MB_ICONINFORMATION },
        { IDI_QUESTION, MB_ICONQUESTION },
        { IDI_EXCLAMATION, MB_ICONWARNING },
    };
    for (auto& icon : icons) {
        if (LoadIconW(nullptr, icon.id) == shown)
            return icon.flag;
    }
    return 0;
}

// A message box is a dialog run by the system itself: its procedure lies in
// user32. (Its text sits in the static control 0xFFFF, but so does the text
// of any dialog template's unnumbered static control.)
bool IsMessageBox(HWND window)
{
    wchar_t className[16] = L"";
    GetClassNameW(window, className, 16);
    if (wcscmp(className, L"#32770") != 0 || !GetDlgItem(window, 0xFFFF))
        return false;
    LONG_PTR procedure = GetWindowLongPtrW(window, DWLP_DLGPROC);
    HMODULE owner = nullptr;
    return procedure &&
           GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                  GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              (LPCWSTR)procedure, &owner) &&
           owner == GetModuleHandleW(L"user32.dll");
}

}

bool WriteSparseFile(const std::wstring& path, const std::string& head, ULONGLONG size)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    LARGE_INTEGER end;
    end.QuadPart = (LONGLONG)size;
    bool ok = file != INVALID_HANDLE_VALUE &&
              WriteFile(file, head.data(), (DWORD)head.size(), &written, nullptr) &&
              SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return ok;
}

std::wstring WindowText(HWND window)
{
    int n = GetWindowTextLengthW(window);
    std::wstring text(n + 1, L'\0');
    n = GetWindowTextW(window, &text[0], n + 1);
    text.resize(n);
    return text;
}

MessageBoxAnswerer::MessageBoxAnswerer(std::vector<int> queued)
    : answers(std::move(queued)), outer(g_answerer)
{
    g_answerer = this;
    hook = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
}

MessageBoxAnswerer::~MessageBoxAnswerer()
{
    UnhookWindowsHookEx(hook);
    g_answerer = outer;
}

LRESULT CALLBACK MessageBoxAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    MessageBoxAnswerer* self = g_answerer;
    if (code == HCBT_ACTIVATE && self) {
        HWND box = (HWND)wParam;
        // A box can be activated more than once (its owner's activation
        // bounces); it is one box, answered once.
        if (IsMessageBox(box) && box != self->answered) {
            self->answered = box;
            SeenBox seen;
            seen.caption = WindowText(box);
            seen.text = WindowText(GetDlgItem(box, 0xFFFF));
            seen.icon = IconOf(box);
            seen.hasYes = GetDlgItem(box, IDYES) != nullptr;
            seen.hasNo = GetDlgItem(box, IDNO) != nullptr;
            seen.hasCancel = GetDlgItem(box, IDCANCEL) != nullptr;
            seen.hasOk = GetDlgItem(box, IDOK) != nullptr;
            seen.owner = GetWindow(box, GW_OWNER);
            GetWindowRect(box, &seen.rect);
            GetWindowRect(GetDlgItem(box, 0xFFFF), &seen.textRect);
            size_t index = self->seen.size();
            self->seen.push_back(seen);
            if (self->onShown)
                self->onShown(seen);
            int answer = IDOK;
            if (!self->answers.empty())
                answer = self->answers[index < self->answers.size() ? index : self->answers.size() - 1];
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                         (LPARAM)GetDlgItem(box, answer));
        }
    }
    // Activation can come while the box still lays itself out: where it
    // stood is read again as it goes.
    if (code == HCBT_DESTROYWND && self && (HWND)wParam == self->answered && !self->seen.empty()) {
        HWND box = (HWND)wParam;
        SeenBox& seen = self->seen.back();
        GetWindowRect(box, &seen.rect);
        GetWindowRect(GetDlgItem(box, 0xFFFF), &seen.textRect);
        seen.buttonRects.clear();
        for (int id : { IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO }) {
            RECT r;
            if (HWND button = GetDlgItem(box, id)) {
                GetWindowRect(button, &r);
                seen.buttonRects.push_back(r);
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

namespace {

const UINT kRunAction = WM_APP + 0x5A;

LRESULT CALLBACK ActionWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kRunAction) {
        std::function<void()>* action = (std::function<void()>*)lParam;
        (*action)();
        delete action;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A message-only window: every message loop of the thread dispatches to it.
HWND ActionWindow()
{
    static HWND window = nullptr;
    if (!window)
        window = CreateTestWindow(L"QuillexTestActions", ActionWindowProc, 0, HWND_MESSAGE, 0, 0);
    return window;
}

}

HWND CreateTestWindow(const wchar_t* className, WNDPROC procedure, DWORD style, HWND parent,
                      int width, int height)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);   // fails harmlessly when already registered
    return CreateWindowExW(0, className, L"", style, 0, 0, width, height, parent, nullptr,
                           windowClass.hInstance, nullptr);
}

void RunInNextMessageLoop(std::function<void()> action)
{
    PostMessageW(ActionWindow(), kRunAction, 0, (LPARAM) new std::function<void()>(std::move(action)));
}

TempFolder::TempFolder()
{
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static int serial = 0;
    wchar_t name[MAX_PATH];
    StringCchPrintfW(name, MAX_PATH, L"%squillex-%lu-%d", base, GetCurrentProcessId(), ++serial);
    CreateDirectoryW(name, nullptr);
    folder = name;
}

TempFolder::~TempFolder()
{
    // SHFileOperation wants a double-terminated list.
    std::wstring from = folder;
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
}

std::wstring TempFolder::Path(const std::wstring& name) const
{
    return folder + L"\\" + name;
}

std::string ReadBytes(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    if (!bytes.empty())
        ReadFile(file, &bytes[0], (DWORD)bytes.size(), &got, nullptr);
    bytes.resize(got);
    CloseHandle(file);
    return bytes;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD put = 0;
    BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), (DWORD)bytes.size(), &put, nullptr);
    CloseHandle(file);
    return ok && put == bytes.size();
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

ULONGLONG FileWriteTime(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return ((ULONGLONG)data.ftLastWriteTime.dwHighDateTime << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

bool SetFileWriteTime(const std::wstring& path, ULONGLONG time)
{
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    FILETIME value = { (DWORD)time, (DWORD)(time >> 32) };
    bool ok = SetFileTime(file, nullptr, nullptr, &value) != FALSE;
    CloseHandle(file);
    return ok;
}

std::string Utf16Bytes(const std::wstring& text)
{
    return std::string((const char*)text.data(), text.size() * sizeof(wchar_t));
}

std::wstring FromUtf16Bytes(const std::string& bytes)
{
    return std::wstring((const wchar_t*)bytes.data(), bytes.size() / sizeof(wchar_t));
}

std::string Encode(const std::wstring& text, UINT codePage)
{
    if (text.empty())
        return std::string();
    int n = WideCharToMultiByte(codePage, 0, text.data(), (int)text.size(), nullptr, 0, nullptr,
                                nullptr);
    std::string bytes(n, '\0');
    WideCharToMultiByte(codePage, 0, text.data(), (int)text.size(), &bytes[0], n, nullptr, nullptr);
    return bytes;
}

std::wstring Decode(const std::string& bytes, UINT codePage)
{
    if (bytes.empty())
        return std::wstring();
    int n = MultiByteToWideChar(codePage, 0, bytes.data(), (int)bytes.size(), nullptr, 0);
    std::wstring text(n, L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), (int)bytes.size(), &text[0], n);
    return text;
}

EditHost::EditHost()
{
    window = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 240, 320, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_MULTILINE, 0, 0, 200, 200, window,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

EditHost::~EditHost()
{
    DestroyWindow(window);
}

std::wstring EditHost::Text() const
{
    return WindowText(edit);
}

void EditHost::SetText(const std::wstring& text)
{
    SetWindowTextW(edit, text.c_str());
}

// --- DialogView ---------------------------------------------------------------

std::wstring DialogView::Caption() const
{
    return WindowText(window);
}

bool DialogView::IsOpen() const
{
    return IsWindow(window) && IsWindowVisible(window);
}

std::wstring DialogView::Text(int id) const
{
    return WindowText(Item(id));
}

bool DialogView::IsEnabled(int id) const
{
    return IsWindowEnabled(Item(id)) != FALSE;
}

bool DialogView::IsShown(int id) const
{
    return IsWindowVisible(Item(id)) != FALSE;
}

bool DialogView::IsChecked(int id) const
{
    return IsDlgButtonChecked(window, id) == BST_CHECKED;
}

void DialogView::Type(int id, const std::wstring& text)
{
    SetWindowTextW(Item(id), text.c_str());
}

bool DialogView::Press(int id)
{
    HWND control = Item(id);
    if (!control || !IsWindowEnabled(control) || !IsWindowVisible(control))
        return false;
    SendMessageW(control, BM_CLICK, 0, 0);
    return true;
}

namespace {

// The item texts of a list box or a combo box, by its messages.
std::vector<std::wstring> BoxItems(HWND box, UINT countMessage, UINT lengthMessage,
                                   UINT textMessage)
{
    std::vector<std::wstring> items;
    int count = (int)SendMessageW(box, countMessage, 0, 0);
    for (int i = 0; i < count; ++i) {
        int n = (int)SendMessageW(box, lengthMessage, i, 0);
        std::wstring item(n + 1, L'\0');
        SendMessageW(box, textMessage, i, (LPARAM)&item[0]);
        item.resize(n);
        items.push_back(item);
    }
    return items;
}

// Where `item` stands among the box's `items`; -1 when it is not there or
// the box is disabled or hidden, so that a user could not choose it.
int ChoosableIndex(HWND box, const std::vector<std::wstring>& items, const std::wstring& item)
{
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i] == item)
            return IsWindowEnabled(box) && IsWindowVisible(box) ? (int)i : -1;
    }
    return -1;
}

}

std::vector<std::wstring> DialogView::ComboItems(int id) const
{
    return BoxItems(Item(id), CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

std::wstring DialogView::ComboText(int id) const
{
    return WindowText(Item(id));
}

bool DialogView::Pick(int id, const std::wstring& item)
{
    HWND box = Item(id);
    int index = ChoosableIndex(box, ComboItems(id), item);
    if (index < 0)
        return false;
    SendMessageW(box, CB_SETCURSEL, index, 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), (LPARAM)box);
    return true;
}

std::vector<std::wstring> DialogView::ListBoxItems(int id) const
{
    return BoxItems(Item(id), LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

std::wstring DialogView::ListBoxMarks(int id) const
{
    std::wstring marks;
    int count = (int)SendMessageW(Item(id), LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i)
        marks += SendMessageW(Item(id), LB_GETSEL, i, 0) > 0 ? L'1' : L'0';
    return marks;
}

bool DialogView::Toggle(int id, const std::wstring& item)
{
    HWND list = Item(id);
    int index = ChoosableIndex(list, ListBoxItems(id), item);
    if (index < 0)
        return false;
    BOOL selected = SendMessageW(list, LB_GETSEL, index, 0) > 0;
    SendMessageW(list, LB_SETSEL, !selected, index);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), (LPARAM)list);
    return true;
}

std::vector<std::wstring> DialogView::ListItems(int id) const
{
    std::vector<std::wstring> items;
    HWND list = Item(id);
    int count = (int)SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        wchar_t text[1024] = L"";
        LVITEMW item = {};
        item.pszText = text;
        item.cchTextMax = 1024;
        SendMessageW(list, LVM_GETITEMTEXTW, i, (LPARAM)&item);
        items.push_back(text);
    }
    return items;
}

std::vector<int> DialogView::ListImages(int id) const
{
    std::vector<int> images;
    HWND list = Item(id);
    int count = (int)SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        LVITEMW item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = i;
        SendMessageW(list, LVM_GETITEMW, 0, (LPARAM)&item);
        images.push_back(item.iImage);
    }
    return images;
}

std::wstring DialogView::ListSelection(int id) const
{
    int index = (int)SendMessageW(Item(id), LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
    return index < 0 ? std::wstring() : ListItems(id)[index];
}

int DialogView::FindListItem(int id, const std::wstring& item) const
{
    std::vector<std::wstring> items = ListItems(id);
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i] == item)
            return (int)i;
    }
    return -1;
}

bool DialogView::Select(int id, const std::wstring& item)
{
    HWND list = Item(id);
    int index = FindListItem(id, item);
    if (index < 0 || !IsWindowEnabled(list) || !IsWindowVisible(list))
        return false;
    LVITEMW state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, index, (LPARAM)&state);
    SendMessageW(list, LVM_ENSUREVISIBLE, index, FALSE);
    return true;
}

bool DialogView::Activate(int id, const std::wstring& item, UINT code)
{
    if (!Select(id, item))
        return false;
    NMITEMACTIVATE note = {};
    note.hdr.hwndFrom = Item(id);
    note.hdr.idFrom = id;
    note.hdr.code = code;
    note.iItem = FindListItem(id, item);
    SendMessageW(window, WM_NOTIFY, id, (LPARAM)&note);
    return true;
}

bool DialogView::Tap(int id, const std::wstring& item)
{
    return Activate(id, item, NM_CLICK);
}

bool DialogView::DoubleTap(int id, const std::wstring& item)
{
    return Activate(id, item, NM_DBLCLK);
}

void DialogView::Key(int id, UINT virtualKey)
{
    HWND control = Item(id);
    SetFocus(control);
    UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageW(control, WM_KEYDOWN, virtualKey, MAKELPARAM(1, scan));
    PostMessageW(control, WM_KEYUP, virtualKey, MAKELPARAM(1, scan | KF_REPEAT | KF_UP));
    ProcessMessages();
}

void DialogView::ProcessMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (IsWindow(window) && IsDialogMessageW(window, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// --- DialogDriver ---------------------------------------------------------------

namespace {

DialogDriver* g_driver = nullptr;
const UINT_PTR kStartTimer = 0x7E57;

}

DialogDriver::DialogDriver(const std::wstring& wanted) : caption(wanted), outer(g_driver)
{
    g_driver = this;
    hook = SetWindowsHookExW(WH_CALLWNDPROCRET, Hook, nullptr, GetCurrentThreadId());
}

DialogDriver::~DialogDriver()
{
    UnhookWindowsHookEx(hook);
    g_driver = outer;
}

DialogDriver& DialogDriver::Then(Script script)
{
    scripts.push_back(std::move(script));
    return *this;
}

LRESULT CALLBACK DialogDriver::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    DialogDriver* self = g_driver;
    const CWPRETSTRUCT* call = (const CWPRETSTRUCT*)lParam;
    // Every dialog, message boxes included, gets WM_INITDIALOG once, whether
    // or not it is ever activated.
    if (code == HC_ACTION && self && call->message == WM_INITDIALOG) {
        HWND window = call->hwnd;
        wchar_t className[16] = L"";
        GetClassNameW(window, className, 16);
        // Child dialogs (the find bar) are parts of other windows.
        bool topLevel = !(GetWindowLongW(window, GWL_STYLE) & WS_CHILD);
        if (wcscmp(className, L"#32770") == 0 && topLevel && !IsMessageBox(window) &&
            (self->caption.empty() || WindowText(window) == self->caption)) {
            // The script runs from the dialog's own modal loop, once it is up.
            SetTimer(window, kStartTimer, USER_TIMER_MINIMUM, Start);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK DialogDriver::Start(HWND dialog, UINT, UINT_PTR timer, DWORD)
{
    // A modal dialog is shown only when its loop first runs idle: wait for that.
    if (!IsWindowVisible(dialog))
        return;
    KillTimer(dialog, timer);
    DialogDriver* self = g_driver;
    if (!self)
        return;
    DialogView view(dialog);
    if (self->next >= self->scripts.size()) {
        ++self->unscripted;
        EndDialog(dialog, IDCANCEL);
        return;
    }
    Script script = self->scripts[self->next++];
    ++self->ran;
    script(view);
    if (view.IsOpen()) {
        ++self->leftOpen;
        EndDialog(dialog, IDCANCEL);
    }
}

std::wstring RegText(HKEY root, const std::wstring& key, const wchar_t* name)
{
    wchar_t value[1024] = L"";
    DWORD bytes = sizeof(value) - sizeof(wchar_t);
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &bytes))
        return L"(none)";
    return value;
}

void SetRegText(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& text)
{
    RegSetKeyValueW(root, key.c_str(), name, REG_SZ, text.c_str(),
                    (DWORD)((text.size() + 1) * sizeof(wchar_t)));
}

SYSTEMTIME MakeTime(int year, int month, int day, int hour, int minute, int second)
{
    SYSTEMTIME t = {};
    t.wYear = (WORD)year;
    t.wMonth = (WORD)month;
    t.wDay = (WORD)day;
    t.wHour = (WORD)hour;
    t.wMinute = (WORD)minute;
    t.wSecond = (WORD)second;
    return t;
}

std::wstring Setting(const wchar_t* key)
{
    wchar_t value[MAX_PATH] = L"";
    g_settings.GetString(key, value, MAX_PATH, L"(absent)");
    return value;
}

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds)
{
    DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (done())
            return true;
        DWORD waited = GetTickCount() - start;
        if (waited >= milliseconds)
            return false;
        DWORD left = milliseconds - waited;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, left < 20 ? left : 20, QS_ALLINPUT);
    }
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

namespace {

void AddMenuEntries(HMENU menu, int depth, std::vector<MenuEntry>& entries)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = L"";
        GetMenuStringW(menu, i, text, 256, MF_BYPOSITION);
        MenuEntry entry = { depth, text, 0, GetSubMenu(menu, i), false };
        entry.separator = !entry.submenu && (GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR);
        if (!entry.submenu && !entry.separator)
            entry.id = GetMenuItemID(menu, i);
        entries.push_back(entry);
        if (entry.submenu)
            AddMenuEntries(entry.submenu, depth + 1, entries);
    }
}

}

std::vector<MenuEntry> WalkMenu(HMENU menu)
{
    std::vector<MenuEntry> entries;
    AddMenuEntries(menu, 0, entries);
    return entries;
}

std::vector<std::wstring> MenuLines(HMENU menu)
{
    std::vector<std::wstring> lines;
    for (const MenuEntry& entry : WalkMenu(menu)) {
        std::wstring line = std::to_wstring(entry.depth) + L" ";
        if (entry.submenu)
            line += entry.text + L" >";
        else if (entry.separator)
            line += L"-";
        else
            line += entry.text + L" #" + std::to_wstring(entry.id);
        lines.push_back(line);
    }
    return lines;
}

UINT MenuCommand(HMENU menu, const std::wstring& title)
{
    for (const MenuEntry& entry : WalkMenu(menu)) {
        if (entry.id && entry.text == title)
            return entry.id;
    }
    return 0;
}

std::wstring ProgramFolder()
{
    wchar_t folder[MAX_PATH];
    return GetProgramFolder(folder, MAX_PATH) ? folder : L"";
}

HANDLE StartProgram(std::wstring commandLine, const std::wstring& folder)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}
