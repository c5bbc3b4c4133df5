#include "dialing/DialField.h"

#include "contacts/Contact.h"

const char* DialEntry(const Contact& c, DialField field) { return field == DialField::Phone ? c.Number : c.MiscInfo; }

bool CanDial(const Contact* c, DialField field) { return c && DialEntry(*c, field)[0] != '\0'; }

bool HasEmail(const Contact* c) { return c && c->Email[0] != '\0'; }
