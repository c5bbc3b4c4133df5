#include "ui/ListImages.h"

#include "framework/Dpi.h"
#include "framework/Instance.h"
#include "resources/resource.h"

#include <initializer_list>

namespace {

constexpr int kSmallIcon = 16;  // pixels at 96 DPI
constexpr int kLargeIcon = 32;

// Each icon is loaded in the list's size, so the resource's own picture of
// that size is used rather than a shrunk one.
HIMAGELIST MakeList(int size) {
    HIMAGELIST list = ImageList_Create(size, size, ILC_MASK, 3, 0);
    if (!list) return nullptr;
    for (int id : {IDI_TELEPHONE, IDI_TELEPHONE_RED, IDI_NO_NUMBER}) {
        HICON icon = static_cast<HICON>(
            LoadImageA(ProgramInstance(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        bool added = icon && ImageList_AddIcon(list, icon) >= 0;
        if (icon) DestroyIcon(icon);
        if (!added) {
            ImageList_Destroy(list);
            return nullptr;
        }
    }
    return list;
}

}  // namespace

bool SetListImages(ListViewControl& list, int dpi) {
    HIMAGELIST small = MakeList(ScaleToDpi(kSmallIcon, dpi));
    HIMAGELIST large = MakeList(ScaleToDpi(kLargeIcon, dpi));
    if (!small || !large) {
        if (small) ImageList_Destroy(small);
        if (large) ImageList_Destroy(large);
        return false;
    }
    // The list destroys its image lists only when it goes itself.
    if (HIMAGELIST old = list.SetImageList(small, LVSIL_SMALL)) ImageList_Destroy(old);
    if (HIMAGELIST old = list.SetImageList(large, LVSIL_NORMAL)) ImageList_Destroy(old);
    return true;
}
