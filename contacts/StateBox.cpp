#include "contacts/StateBox.h"

#include "contacts/StateTable.h"

#include <cstdio>

void FillStateBox(HWND box, const char* code) {
    for (const char* entry : StateTable) SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    int found = FindStateEntry(code);
    LRESULT shown = CB_ERR;
    if (found >= 0) {
        // The whole entry, so that no other entry that begins alike is taken.
        shown =
            SendMessageA(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(StateTable[found]));
    } else {
        // CB_INSERTSTRING does not sort, even in a CBS_SORT box (documented
        // under CB_INSERTSTRING), so the extra entry stays at the top.
        shown = SendMessageA(box, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(code ? code : ""));
    }
    SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(shown), 0);
}

void ReadStateBox(HWND box, const char* kept, char* state, std::size_t size) {
    char entry[64] = "";
    LRESULT chosen = SendMessageA(box, CB_GETCURSEL, 0, 0);
    if (chosen == CB_ERR) {
        std::snprintf(entry, sizeof entry, "%s", kept ? kept : "");
    } else if (SendMessageA(box, CB_GETLBTEXTLEN, static_cast<WPARAM>(chosen), 0) <
               static_cast<LRESULT>(sizeof entry)) {
        SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(chosen), reinterpret_cast<LPARAM>(entry));
    }
    StateOfEntry(entry, state, size);
}
