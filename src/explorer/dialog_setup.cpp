#include "explorer/dialog_setup.h"

#include "explorer/file_types.h"

namespace morvel::explorer_rules {

bool IsDepthKind(int k) {
    return k == 1 || k == 4 || k == 8 || k == 16 || k == 24;
}

bool IsSaveKind(int k) {
    return k == 0 || IsDepthKind(k);
}

ReducedKind ReduceKind(int kindArgument) {
    if (kindArgument > 100 && kindArgument < 200) return {kindArgument - 100, true};
    return {kindArgument, false};
}

DialogSetup SetupForKind(int kind, bool convertMode) {
    DialogSetup s;
    if (kind == 252) {
        s.caption = "Replace Slide";
        s.markUnmarkVisible = false;
        s.fileTypePosition = kAllValidatedPosition;
    } else if (kind == 253) {
        s.caption = "Add Multiple Slides";
        s.nameField = NameFieldMode::ReadOnly;
        s.multiSelect = true;
        s.fileTypePosition = kAllValidatedPosition;
    } else if (kind == 254) {
        s.caption = "Open Slideshow";
        s.markUnmarkVisible = false;
    } else if (convertMode) {
        s.caption = "Convert Multiple Files";
        s.nameField = NameFieldMode::HiddenForDepthBox;
        s.pixelsLabel = true;
        s.listInputVisible = true;
        s.saveInLabel = true;
        s.markUnmarkVisible = false;
        s.formatList = kind > 0;
    } else {
        s.caption = "Save File";
        s.saveInLabel = true;
        s.markUnmarkVisible = false;
        s.formatList = kind > 0;
    }
    if (kind == 0 || kind >= 254) {
        s.fileTypePosition = kSlideshowPosition;
        s.fileTypeFixed = true;
    }
    return s;
}

int HelpContextFor(int dialogKind) {
    return IsSaveKind(dialogKind) ? 101 : 100;
}

}  // namespace morvel::explorer_rules
