#ifndef QUILLEX_TESTS_TEST_SUPPORT_H
#define QUILLEX_TESTS_TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/pocketpc.h"

// What a test saw of one message box before answering it.
struct SeenBox {
    std::wstring caption;
    std::wstring text;
    UINT icon;        // MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION, MB_ICONWARNING or 0
    bool hasYes, hasNo, hasCancel, hasOk;
    HWND owner;       // the window it was shown over
    RECT rect;        // where it was shown, in screen coordinates
    RECT textRect;    // where its text stands, in screen coordinates
    std::vector<RECT> buttonRects;   // where its buttons stood, likewise
};

// Answers every message box shown on this thread while it lives, with the
// answers queued (the last one repeats; IDOK when none), and records them.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(std::vector<int> answers = {});
    ~MessageBoxAnswerer();
    std::vector<SeenBox> seen;
    // Runs as each box comes up, before it is answered (while the box is up,
    // as a user's other actions would).
    std::function<void(const SeenBox&)> onShown;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    std::vector<int> answers;
    HHOOK hook;
    MessageBoxAnswerer* outer;
    HWND answered = nullptr;
};

// A window of a class of the test's own with the given procedure (the class
// is registered on first use), at (0, 0) with the given size.
HWND CreateTestWindow(const wchar_t* className, WNDPROC procedure, DWORD style, HWND parent,
                      int width, int height);

// Runs `action` from the next message loop that runs on this thread: that of
// a question or dialog the test is about to show, for example, once it owns
// its owner (which it has disabled by then).
void RunInNextMessageLoop(std::function<void()> action);

// --- Waiting, menus and programs ------------------------------------------------

// Runs this thread's messages until `done()` holds or `milliseconds` have
// passed, sleeping while nothing arrives; returns whether `done()` held. The
// one way a test waits for something: never a fixed sleep. To let messages
// run for a while (input sent with SendInput), pass a `done` that is false.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds);
// Runs the messages already waiting in this thread's queue.
void PumpMessages();

// One item of a menu walked depth first, submenus right after their item.
struct MenuEntry {
    int depth;            // 0 for the items of the menu itself
    std::wstring text;
    UINT id;              // the command; 0 for a popup or separator
    HMENU submenu;        // the popup's menu, or nullptr
    bool separator;
};
std::vector<MenuEntry> WalkMenu(HMENU menu);
// The same as lines "depth text #command", "depth text >" for a popup and
// "depth -" for a separator.
std::vector<std::wstring> MenuLines(HMENU menu);
// The command of the first item titled `title` (submenus included), or 0.
UINT MenuCommand(HMENU menu, const std::wstring& title);

// The test program's folder, with a trailing backslash: the program folder
// for code that looks for its files beside itself.
std::wstring ProgramFolder();

// Starts a program with that command line (in `folder` when given); its
// process handle, or nullptr when it could not start.
HANDLE StartProgram(std::wstring commandLine, const std::wstring& folder = L"");

// A fresh folder under the prefix's temporary folder, removed with its files
// when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    std::wstring Path(const std::wstring& name) const;   // folder\name
    const std::wstring& Folder() const { return folder; }

private:
    std::wstring folder;
};

std::string ReadBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);
// A file's last-write time as a number (0 when it is missing), and a way to
// set it, so that a test can see whether a file was written again.
ULONGLONG FileWriteTime(const std::wstring& path);
bool SetFileWriteTime(const std::wstring& path, ULONGLONG time);
// `head` followed by zeros up to `size` bytes, the zeros not written (a
// sparse file), so that even files of 4 GiB cost nothing.
bool WriteSparseFile(const std::wstring& path, const std::string& head, ULONGLONG size);
// A window's whole text.
std::wstring WindowText(HWND window);

// A stored setting's text, "(absent)" when the store has no such key.
std::wstring Setting(const wchar_t* key);

// UTF-16 text as little-endian bytes (without mark), and back.
std::string Utf16Bytes(const std::wstring& text);
std::wstring FromUtf16Bytes(const std::string& bytes);
// Text in a code page as bytes, and back.
std::string Encode(const std::wstring& text, UINT codePage);
std::wstring Decode(const std::string& bytes, UINT codePage);

// A hidden top-level window with a multi-line edit child, standing in for the
// main window and a document's edit window.
class EditHost {
public:
    EditHost();
    ~EditHost();
    std::wstring Text() const;
    void SetText(const std::wstring& text);
    HWND window;
    HWND edit;
};

// --- Driving dialogs ----------------------------------------------------------
//
// A test runs the real modal dialog and works it from inside its modal loop:
//
//     DialogDriver driver(L"Выбор файла");
//     driver.Then([&](DialogView& dialog) {
//         dialog.Type(IDC_CHOOSER_NAME, L"notes");
//         EXPECT_TRUE(dialog.Press(IDOK));          // may show message boxes
//     });
//     MessageBoxAnswerer answers({ IDNO });          // answers those boxes
//     bool chosen = ChooseFile(false, &choice);
//     EXPECT_EQ(1, driver.ran);
//
// Every action sends the messages a user's action would make the controls
// send, so the dialog's procedure reacts as it would to the user, and each
// action returns once the dialog has reacted (message boxes it shows
// meanwhile are answered by a MessageBoxAnswerer).

// One running dialog as a test sees and works it. Control ids as in the
// template; list and combo items by their exact text.
class DialogView {
public:
    explicit DialogView(HWND dialog) : window(dialog) {}

    HWND Item(int id) const { return GetDlgItem(window, id); }
    std::wstring Caption() const;
    // False once the dialog has ended (EndDialog hides it at once).
    bool IsOpen() const;
    std::wstring Text(int id) const;
    bool IsEnabled(int id) const;
    bool IsShown(int id) const;
    bool IsChecked(int id) const;

    // Replaces an edit box's text as typing would; the box notifies EN_CHANGE.
    void Type(int id, const std::wstring& text);
    // Clicks a push button or check box (BM_CLICK). False, and nothing
    // happens, when it is disabled or hidden, as for a user.
    bool Press(int id);

    // Drop-down boxes: the items in order, the shown text, and picking an
    // item as the user would (selection, then CBN_SELCHANGE). False when
    // there is no such item or the box is disabled.
    std::vector<std::wstring> ComboItems(int id) const;
    std::wstring ComboText(int id) const;
    bool Pick(int id, const std::wstring& item);

    // Multiple-selection list boxes: the items in order, which are selected
    // ("1" or "0" for each item in order), and a tap on an item, which
    // toggles it. False when there is no such item or the list is disabled.
    std::vector<std::wstring> ListBoxItems(int id) const;
    std::wstring ListBoxMarks(int id) const;
    bool Toggle(int id, const std::wstring& item);

    // List views (first column): the items' texts and image indexes in
    // order, and the selected item's text ("" without one).
    std::vector<std::wstring> ListItems(int id) const;
    std::vector<int> ListImages(int id) const;
    std::wstring ListSelection(int id) const;
    // Selects and focuses the item (LVN_ITEMCHANGED reaches the dialog).
    bool Select(int id, const std::wstring& item);
    // Select, then the tap's NM_CLICK or the double tap's NM_DBLCLK.
    // False when there is no such item or the list is disabled or hidden.
    bool Tap(int id, const std::wstring& item);
    bool DoubleTap(int id, const std::wstring& item);

    // Gives the control the focus and presses the key: the key goes
    // through the dialog manager as a real one does (Enter and Escape are
    // taken by the dialog unless the control asks for them).
    void Key(int id, UINT virtualKey);

    // Lets the dialog handle what is queued for it (posted commands, the
    // caption's OK, repaints).
    void ProcessMessages();

    HWND window;

private:
    int FindListItem(int id, const std::wstring& item) const;
    bool Activate(int id, const std::wstring& item, UINT code);
};

// Runs scripts inside the modal loops of dialogs shown on this thread while
// it lives. The first top-level dialog (not a message box) whose caption is
// `caption` (any caption when empty) gets the first script added with Then,
// the next one the second, and so on; a script runs once the dialog is up,
// its WM_INITDIALOG done, and should end it (OK, Cancel, ...). The driver
// ends with IDCANCEL a dialog still open after its script (counted in
// leftOpen) and one for which no script is left (counted in unscripted), so
// that a failing test never hangs in a dialog.
class DialogDriver {
public:
    typedef std::function<void(DialogView&)> Script;

    explicit DialogDriver(const std::wstring& caption = L"");
    ~DialogDriver();
    DialogDriver& Then(Script script);

    int ran = 0;
    int leftOpen = 0;
    int unscripted = 0;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK Start(HWND dialog, UINT, UINT_PTR timer, DWORD);
    std::wstring caption;
    std::vector<Script> scripts;
    size_t next = 0;
    HHOOK hook;
    DialogDriver* outer;
};

// Runs `show` (which shows dialogs modally) with one script for each dialog
// that opens, and checks that each script ran and ended its dialog.
template <typename Show>
auto RunDialogs(Show show, std::initializer_list<DialogDriver::Script> scripts)
{
    DialogDriver driver;
    for (const DialogDriver::Script& script : scripts)
        driver.Then(script);
    auto result = show();
    EXPECT_EQ((int)scripts.size(), driver.ran);
    EXPECT_EQ(0, driver.leftOpen);
    return result;
}

// A text value of the registry, "(none)" when it is missing; and writing one.
std::wstring RegText(HKEY root, const std::wstring& key, const wchar_t* name);
void SetRegText(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& text);

SYSTEMTIME MakeTime(int year, int month, int day, int hour, int minute, int second = 0);

#endif
