#include "explorer/dialog_setup.h"

#include "explorer/file_types.h"

namespace morvel::explorer_rules {

namespace {
constexpr int kFirstOpenKind = 200;
}  // namespace

bool IsDepthKind(int k) {
    return k == MORVEL_KIND_SAVE_1BIT || k == MORVEL_KIND_SAVE_4BIT || k == MORVEL_KIND_SAVE_8BIT ||
           k == MORVEL_KIND_SAVE_16BIT || k == MORVEL_KIND_SAVE_24BIT;
}

bool IsSaveKind(int k) {
    return k == MORVEL_KIND_SAVE_SLIDESHOW || IsDepthKind(k);
}

bool IsOpenKind(int k) {
    return k >= kFirstOpenKind;
}

bool StartsInSavePath(bool dialogMode, int k) {
    return dialogMode && !IsOpenKind(k);
}

bool RecordsLastDir(bool dialogMode, int k) {
    return !dialogMode || IsOpenKind(k);
}

bool OffersJpegButton(int k) {
    return k > MORVEL_KIND_SAVE_SLIDESHOW && !IsOpenKind(k);
}

bool FixesSlideshowType(int k) {
    return k == MORVEL_KIND_SAVE_SLIDESHOW || k >= MORVEL_KIND_OPEN_SLIDESHOW;
}

ReducedKind ReduceKind(int kindArgument) {
    if (kindArgument > MORVEL_KIND_CONVERT_BASE && kindArgument < kFirstOpenKind) {
        return {kindArgument - MORVEL_KIND_CONVERT_BASE, true};
    }
    return {kindArgument, false};
}

DialogSetup SetupForKind(int kind, bool convertMode) {
    DialogSetup s;
    if (kind == MORVEL_KIND_REPLACE_SLIDE) {
        s.caption = "Replace Slide";
        s.markUnmarkVisible = false;
        s.fileTypePosition = kAllValidatedPosition;
    } else if (kind == MORVEL_KIND_ADD_SLIDES) {
        s.caption = "Add Multiple Slides";
        s.nameField = NameFieldMode::ReadOnly;
        s.multiSelect = true;
        s.fileTypePosition = kAllValidatedPosition;
    } else if (kind == MORVEL_KIND_OPEN_SLIDESHOW) {
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
    if (FixesSlideshowType(kind)) {
        s.fileTypePosition = kSlideshowPosition;
        s.fileTypeFixed = true;
    }
    return s;
}

int HelpContextFor(int dialogKind) {
    return IsSaveKind(dialogKind) ? MORVEL_HELP_EXPLORER_SAVE : MORVEL_HELP_EXPLORER;
}

}  // namespace morvel::explorer_rules
