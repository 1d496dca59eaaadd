#include "lists/quick_insert.h"

#include "lists/replace_all.h"
#include "platform/modal_stack.h"

namespace {
const wchar_t kSeparatorTitle[] = L"%SEPARATOR%";
}

void CQuickInsertList::BuildMenu()
{
    // The menus the items go into, innermost last; `menu` itself never leaves.
    CGrowArray<HMENU> open;
    open.Reserve(20);
    open.Append(menu);
    for (int j = 0; j < count; ++j) {
        int level = CountLeadingTabs(items[j].title);
        // +1 opens a submenu (however much deeper the next line is), -n
        // closes n levels after this item.
        int step = 0;
        if (j + 1 < count) {
            int next = CountLeadingTabs(items[j + 1].title);
            if (next > level)
                step = 1;
            else if (next < level)
                step = next - level;
        }
        wchar_t display[QUICK_INSERT_TITLE_UNITS];
        ReplaceAll(items[j].title, L"\t", L"", display, QUICK_INSERT_TITLE_UNITS);
        HMENU top = open[open.count - 1];
        if (step == 1) {
            // A submenu title has no command: its own text is never inserted.
            HMENU submenu = CreatePopupMenu();
            AppendMenuW(top, MF_POPUP | MF_STRING, (UINT_PTR)submenu, display);
            open.Append(submenu);
            continue;
        }
        if (wcscmp(display, kSeparatorTitle) == 0)
            AppendMenuW(top, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(top, MF_STRING, (UINT_PTR)(QUICK_INSERT_FIRST_COMMAND + j), display);
        for (int closed = 0; closed < -step && open.count > 1; ++closed)
            --open.count;
    }
    open.Clear();
}

void CQuickInsertList::ShowQuickInsert(bool left, HWND owner)
{
    // The platform moves the menu up or left until it fits on the screen.
    int x = left ? 2 : GetSystemMetrics(SM_CXVIRTUALSCREEN) - 2;
    int y = GetSystemMetrics(SM_CYVIRTUALSCREEN) - 2;
    ModalTrackPopupMenu(menu, 0, x, y, owner);
}
