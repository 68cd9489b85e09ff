// Reads list boxes of another process as a screen reader does: every entry read with
// LB_GETTEXT in Unicode and in ANSI, written to a file, for each list a line "count <n>" and
// then one pair of lines per entry:
//   W <entry, read in Unicode, as ANSI>
//   A <entry, read in ANSI>
//   list_reader <output file> <handle in hex>...
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    FILE* out = std::fopen(argv[1], "wb");
    if (!out) return 3;
    for (int arg = 2; arg < argc; ++arg) {
        const HWND list = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::strtoul(argv[arg], nullptr, 16)));
        const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
        std::fprintf(out, "count %ld\n", static_cast<long>(count));
        for (LRESULT i = 0; i < count; ++i) {
            const LRESULT wideLength = SendMessageW(list, LB_GETTEXTLEN, i, 0);
            std::wstring wide(static_cast<std::size_t>(wideLength < 0 ? 0 : wideLength) + 1, L'\0');
            const LRESULT gotWide = SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide.data()));
            wide.resize(gotWide < 0 ? 0 : static_cast<std::size_t>(gotWide));
            char converted[1024] = {};
            WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), converted, sizeof converted - 1,
                                nullptr, nullptr);
            std::fprintf(out, "W %s\n", converted);

            const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, i, 0);
            std::string text(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, '\0');
            const LRESULT got = SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
            text.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
            std::fprintf(out, "A %s\n", text.c_str());
        }
    }
    std::fclose(out);
    return 0;
}
