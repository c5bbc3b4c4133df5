#include "dialing/EmailCommand.h"

#include "contacts/Contact.h"

#include <shellapi.h>

#include <cstdio>

void EmailCommand(const Contact* c, HWND owner) {
    if (!c || c->Email[0] == '\0') return;
    char link[8 + sizeof c->Email];
    std::snprintf(link, sizeof link, "mailto:%s", c->Email);
    ShellExecuteA(owner, "open", link, "", "", SW_SHOWNORMAL);
}
