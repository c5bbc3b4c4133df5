#pragma once
// The status bar's parts as the contact list writes them: the count of
// contacts and the "Mod" mark.

#include "contacts/ListControl.h"
#include "framework/StatusBar.h"

class StatusBarText : public StatusText {
public:
    explicit StatusBarText(StatusBar& bar) : bar_(bar) {}
    void SetPartText(int part, const char* text) override { bar_.SetPartText(part, text); }

private:
    StatusBar& bar_;
};
