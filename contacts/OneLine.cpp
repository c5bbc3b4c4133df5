#include "contacts/OneLine.h"

void JoinLines(char* text) {
    if (!text) return;
    char* out = text;
    for (const char* in = text; *in; ++in) {
        if (*in == '\r' || *in == '\n') {
            if (in[0] == '\r' && in[1] == '\n') ++in;
            *out++ = ' ';
        } else {
            *out++ = *in;
        }
    }
    *out = '\0';
}
