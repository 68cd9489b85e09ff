/* The integrator's header as a C89 program sees it (compiled with -std=c89 -pedantic-errors
 * -Werror): it compiles, its prototypes link against the import library, and each export's
 * pointer type takes that export without a cast. */
#include "morvel32.h"

int MorvelHeaderFromC(void) {
    const char* key = MORVEL_KEY_LONGNAME;
    int kinds = MORVEL_KIND_OPEN_SLIDESHOW + MORVEL_KIND_CONVERT_24BIT;
    MorvelRemoteWin95Proc remoteWin = RemoteWin95;
    MorvelRemoteDlg95Proc remoteDlg = RemoteDlg95;
    MorvelRemoteWinClose95Proc remoteClose = RemoteWinClose95;
    MorvelRemoteWinHide95Proc remoteHide = RemoteWinHide95;
    MorvelRemoteWinUpdate95Proc remoteUpdate = RemoteWinUpdate95;
    MorvelShortToLongName95Proc longName = ShortToLongName95;
    MorvelGDIflush95Proc flush = GDIflush95;
    MorvelEditorWin95Proc editor = EditorWin95;
    MorvelVideoWinPlayer95Proc player = VideoWinPlayer95;
    MorvelVideoWinStatus95Proc status = VideoWinStatus95;
    MorvelVideoWinClose95Proc playerClose = VideoWinClose95;
    (void)remoteWin, (void)remoteDlg, (void)remoteClose, (void)remoteHide, (void)remoteUpdate, (void)editor,
        (void)player, (void)playerClose;
    longName();
    return flush() + (key[0] == 'L' ? 0 : 100) + (kinds == 378 ? 0 : 1000) + (MORVEL_WM_NOTIFY == 0x911 ? 0 : 10000) +
           (status() & MORVEL_PLAYER_OPEN);
}
