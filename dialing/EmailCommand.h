#pragma once
// Mails a contact: the system's mail handler gets a "mailto:" link with the
// contact's e-mail address.  A contact without one is passed over; a shell
// that cannot open the link fails silently.

#include <windows.h>

struct Contact;

void EmailCommand(const Contact* c, HWND owner);
