// How the Explorer dresses itself for each dialog kind of RemoteDlg95.
#pragma once

#include <string>

#include "morvel32.h"

namespace morvel::explorer_rules {

inline constexpr int kModelessKind = MORVEL_KIND_MODELESS;

// Kinds whose dialog saves: 0 (a slideshow) and the colour depths 1, 4, 8, 16, 24 (convert mode
// included, whose kind is the depth).
bool IsSaveKind(int dialogKind);
// Colour-depth kinds, which show the format list.
bool IsDepthKind(int dialogKind);

// RemoteDlg95's kind argument as the state keeps it: 101..199 set convert mode and lose 100.
struct ReducedKind {
    int dialogKind = 0;
    bool convertMode = false;
};
ReducedKind ReduceKind(int kindArgument);

enum class NameFieldMode { Editable, ReadOnly, HiddenForDepthBox };

struct DialogSetup {
    std::string caption;
    NameFieldMode nameField = NameFieldMode::Editable;
    bool multiSelect = false;
    bool markUnmarkVisible = true;
    bool listInputVisible = false;
    bool saveInLabel = false;    // "Look &in:" reads "Save &in"
    bool pixelsLabel = false;    // "File &name:" reads "&Pixels:" and leads to BPPtype
    int fileTypePosition = -1;   // filter to select; -1 keeps the selection
    bool fileTypeFixed = false;  // slideshow type selected and the box disabled
    bool formatList = false;     // the box holds the colour depth's formats
};

DialogSetup SetupForKind(int dialogKind, bool convertMode);

// The kinds from 200 on open files (252, 253, 254, and the modeless Explorer's 999); the kinds
// below them save or convert.
bool IsOpenKind(int dialogKind);
// A dialog of a saving kind starts in SavePath; every other window in LastDir.
bool StartsInSavePath(bool dialogMode, int dialogKind);
// The modeless Explorer and the opening dialogs record their folder in LastDir when they close.
bool RecordsLastDir(bool dialogMode, int dialogKind);
// Saving kinds above 0 offer the JPEG compression button with their formats.
bool OffersJpegButton(int dialogKind);
// Kind 0 and the kinds from 254 on show slideshows only: the file type is fixed.
bool FixesSlideshowType(int dialogKind);

// Help context of BtnHelp: the save context for the save kinds, the Explorer's otherwise.
int HelpContextFor(int dialogKind);

}  // namespace morvel::explorer_rules
