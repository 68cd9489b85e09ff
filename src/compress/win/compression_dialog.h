// TUserCompress: the modal "Compression Setting" dialog that sets the JPEG, PIC and CMP quality
// and the YUV subsampling that the host uses when it writes a compressed picture.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "compress/compress_values.h"

namespace morvel {

// Shows the dialog for the format code of the selected save format, starting from `stored` (the
// four keys as read), modal to the thread's windows and in front of `owner`. Returns the four
// values the user confirmed, or nothing after Cancel or Esc. The dialog itself writes nothing:
// the caller writes the keys.
std::optional<compress::CompressValues> RunCompressDialog(std::int32_t formatCode,
                                                          const compress::CompressValues& stored, HWND owner = nullptr);

}  // namespace morvel
