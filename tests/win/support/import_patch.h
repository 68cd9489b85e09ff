// Replaces one imported function of a loaded module for the life of the object, by rewriting the
// module's import address table. Lets tests observe calls that leave the process or need a
// person (WinHelpA, the font and colour dialogs) without any test switch in production code.
#pragma once

#include <windows.h>

#include <string>

namespace morvel::test {

class ImportPatch {
public:
    // Patches `function` of `dll` (compared without regard to case) as imported by `module`.
    ImportPatch(HMODULE module, const std::string& dll, const std::string& function, void* replacement);
    ~ImportPatch();
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    bool active() const { return slot_ != nullptr; }
    // The function that was there before.
    void* original() const { return original_; }

private:
    void** slot_ = nullptr;
    void* original_ = nullptr;
};

// The address table slot through which `module` calls `function` of `dll`, or nullptr.
void** FindImportSlot(HMODULE module, const std::string& dll, const std::string& function);

}  // namespace morvel::test
