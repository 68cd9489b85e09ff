// The Explorer as a modal dialog, for the library's own windows: what RemoteDlg95 runs. The
// editor asks for slideshows and slides through it; the answer is in the settings keys that the
// dialog kinds write (SaveName, LongName) and, for several files, in the exchange file.
#pragma once

namespace morvel {

// Runs the Explorer as a modal dialog of the kind (RemoteDlg95's arguments); -1 when cancelled,
// else the dialog's result: 0, or the chosen format's code in a picture's save or convert
// dialog. A failure of the write-back after OK is thrown once the dialog has gone.
int RunExplorerDialog(int kindArgument, int restrictedFlag);

}  // namespace morvel
