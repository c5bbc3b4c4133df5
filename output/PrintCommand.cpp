#include "output/PrintCommand.h"

#include "output/PageFile.h"
#include "output/PrintDialog.h"

void TodayPageDate(char (&out)[kPageDateSize]) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    FormatPageDate(now.wYear, now.wMonth, now.wDay, out);
}

void FilePageDate(const char* path, char (&out)[kPageDateSize]) {
    out[0] = '\0';
    HANDLE file = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    FILETIME written;
    BOOL got = GetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
    FILETIME local;
    SYSTEMTIME st;
    if (!got || !FileTimeToLocalFileTime(&written, &local) || !FileTimeToSystemTime(&local, &st)) return;
    FormatPageDate(st.wYear, st.wMonth, st.wDay, out);
}

PrintResult PrintList(HWND owner, const ContactList& list, PrintSettings& settings, const char* dataFile, bool changed,
                      const char* pagePath) {
    if (!RunPrintDialog(owner, settings)) return PrintResult::Cancelled;
    char date[kPageDateSize];
    if (changed)
        TodayPageDate(date);
    else
        FilePageDate(dataFile, date);
    PageBuffer page;
    if (!page.Reset(PageStartCapacity(list.Count()), kPageGrowthStep) || !BuildPrintPage(page, list, settings, date))
        return PrintResult::NoMemory;
    if (!WritePageFile(pagePath, page.Text(), page.Used())) return PrintResult::NotWritten;
    page.Release();
    OpenPage(owner, pagePath);
    return PrintResult::Opened;
}
