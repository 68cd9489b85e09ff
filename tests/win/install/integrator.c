/* An integrator's first program, built against the installed tree only (include/, lib/) and run
 * beside the installed DLL: it asks the library for the long name of a file, as a host does, and
 * checks that the DLL it loaded is the shipped one, stripped and pointing at its symbol file.
 * Prints what it found; exits 0 when everything holds. */
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "morvel32.h"

static int failures = 0;

static void Check(int ok, const char* what) {
    printf("%s: %s\n", ok ? "ok" : "FAILED", what);
    if (!ok) ++failures;
}

/* The DLL file as installed: its COFF symbol count, and whether it names its symbol file. */
static void InspectDll(const char* path, unsigned long* symbols, int* linksDebugFile) {
    static char bytes[4 << 20];
    size_t size = 0;
    size_t i;
    const char* link = "morvel32.dll.debug";
    FILE* f = fopen(path, "rb");
    *symbols = 0xFFFFFFFFul;
    *linksDebugFile = 0;
    if (f == NULL) return;
    size = fread(bytes, 1, sizeof bytes, f);
    fclose(f);
    if (size > 0x40) {
        const IMAGE_DOS_HEADER* dos = (const IMAGE_DOS_HEADER*)bytes;
        if ((size_t)dos->e_lfanew + sizeof(IMAGE_NT_HEADERS) <= size) {
            *symbols = ((const IMAGE_NT_HEADERS*)(bytes + dos->e_lfanew))->FileHeader.NumberOfSymbols;
        }
    }
    for (i = 0; i + strlen(link) <= size && !*linksDebugFile; ++i) {
        *linksDebugFile = memcmp(bytes + i, link, strlen(link)) == 0;
    }
}

int main(void) {
    char exe[MAX_PATH] = "";
    char dll[MAX_PATH] = "";
    char folder[MAX_PATH] = "";
    char file[MAX_PATH] = "";
    char shortPath[MAX_PATH] = "";
    char longName[MAX_PATH] = "";
    char* slash;
    HMODULE module;
    HANDLE handle;
    unsigned long symbols = 0;
    int linksDebugFile = 0;

    GetModuleFileNameA(NULL, exe, sizeof exe);
    module = GetModuleHandleA("morvel32.dll");
    Check(module != NULL, "morvel32.dll is loaded through the import library");
    if (module == NULL) return 1;
    GetModuleFileNameA(module, dll, sizeof dll);
    strcpy(folder, exe);
    slash = strrchr(folder, '\\');
    if (slash) *slash = '\0';
    Check(_strnicmp(dll, folder, strlen(folder)) == 0 && strchr(dll + strlen(folder) + 1, '\\') == NULL,
          "the DLL loaded is the one installed beside the program");

    InspectDll(dll, &symbols, &linksDebugFile);
    Check(symbols == 0, "the DLL is stripped of its symbols");
    Check(linksDebugFile, "the DLL names morvel32.dll.debug");
    strcpy(file, folder);
    strcat(file, "\\morvel32.dll.debug");
    Check(GetFileAttributesA(file) != INVALID_FILE_ATTRIBUTES, "morvel32.dll.debug is installed beside it");

    /* The host's side of ShortToLongName95: SaveName in, LongName out. */
    CreateDirectoryA("C:\\integrator", NULL);
    CreateDirectoryA("C:\\integrator\\Holiday Pictures", NULL);
    strcpy(file, "C:\\integrator\\Holiday Pictures\\Summer at the Lake.avl");
    handle = CreateFileA(file, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    GetShortPathNameA(file, shortPath, sizeof shortPath);
    WritePrivateProfileStringA(MORVEL_INI_SECTION, MORVEL_KEY_SAVENAME, shortPath, MORVEL_INI_FILE);
    ShortToLongName95();
    GetPrivateProfileStringA(MORVEL_INI_SECTION, MORVEL_KEY_LONGNAME, "", longName, sizeof longName, MORVEL_INI_FILE);
    printf("SaveName %s gives LongName %s\n", shortPath, longName);
    Check(strcmp(longName, "Summer at the Lake.avl") == 0, "ShortToLongName95 writes the long name");
    Check(GDIflush95() == 1, "GDIflush95 reports nothing pending");

    printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
