/* The integrator's header as a C program sees it: it compiles as C, and its prototypes link
 * against the import library. */
#include "morvel32.h"

int MorvelHeaderFromC(void) {
    const char* key = MORVEL_KEY_LONGNAME;
    int kinds = MORVEL_KIND_OPEN_SLIDESHOW + MORVEL_KIND_CONVERT_24BIT;
    ShortToLongName95();
    return GDIflush95() + (key[0] == 'L' ? 0 : 100) + (kinds == 378 ? 0 : 1000) +
           (MORVEL_WM_NOTIFY == 0x911 ? 0 : 10000);
}
