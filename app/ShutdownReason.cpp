#include "app/ShutdownReason.h"

namespace {

// ShutdownBlockReasonCreate and ShutdownBlockReasonDestroy came with Windows
// Vista and take wide text only; they are looked up so that the program
// needs neither them nor newer import libraries to start.
template <class F>
F User32Call(const char* name) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

}  // namespace

void HoldShutdown(HWND window, const wchar_t* reason) {
    using Create = BOOL(WINAPI*)(HWND, LPCWSTR);
    if (auto create = User32Call<Create>("ShutdownBlockReasonCreate")) create(window, reason);
}

void ReleaseShutdown(HWND window) {
    using Destroy = BOOL(WINAPI*)(HWND);
    if (auto destroy = User32Call<Destroy>("ShutdownBlockReasonDestroy")) destroy(window);
}
