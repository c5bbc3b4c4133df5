#include "framework/FontObject.h"

#include <cstdio>

void FontObject::SetFace(HDC dc, const char* face, int points) {
    if (face && face[0]) std::snprintf(logFont_.lfFaceName, sizeof logFont_.lfFaceName, "%s", face);
    logFont_.lfHeight = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
    Release();
    font_ = CreateFontIndirectA(&logFont_);
}

void FontObject::SelectInto(HDC dc) {
    SetTextColor(dc, colour_);
    SelectObject(dc, font_);
}

int FontObject::Release() {
    if (!font_) return 0;
    int result = DeleteObject(font_);
    font_ = nullptr;
    return result;
}
