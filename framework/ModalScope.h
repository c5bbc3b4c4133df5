#pragma once
// Counts the program's open modal boxes and dialogs.  A box owned by a child
// window (the delete question is owned by the list) leaves the main window's
// menu, buttons and close box working, so the main window asks this count
// before it starts a command or closes, and refuses while anything is open.

class ModalScope {
public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

    // How many boxes and dialogs are open now.
    static int OpenCount();
};
