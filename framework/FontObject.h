#pragma once
// A font made from a face name and a point size, with its text colour.

#include <windows.h>

class FontObject {
public:
    FontObject() = default;
    ~FontObject() { Release(); }
    FontObject(const FontObject&) = delete;
    FontObject& operator=(const FontObject&) = delete;

    // Set LOGFONT members such as underline, and the colour, before this.
    void SetFace(HDC dc, const char* face, int points);
    void SelectInto(HDC dc);
    int Release();

    LOGFONTA& LogFont() { return logFont_; }
    void SetColour(COLORREF colour) { colour_ = colour; }
    HFONT Handle() const { return font_; }

private:
    HFONT font_ = nullptr;
    COLORREF colour_ = 0;
    LOGFONTA logFont_ = {};
};
