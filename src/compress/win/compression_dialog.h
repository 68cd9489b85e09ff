// TUserCompress: the modal "Compression Setting" dialog that sets the JPEG, PIC and CMP quality
// and the YUV subsampling that the host uses when it writes a compressed picture.
#pragma once

#include <windows.h>

#include <cstdint>

#include "compress/compress_values.h"

namespace morvel {

// The four values, from the reading of the settings file at the start of a run until the caller
// has written them back.
extern compress::CompressValues compressValues;

// Reads SaveYUV, SaveJPG, SavePIC and SaveCMP, shows the dialog arranged for the format code
// (modal to the thread's windows, in front of `owner`) and returns 1 unless the user cancelled,
// 0 after Cancel or Esc. After 1, compressValues hold what the caller writes to the four keys;
// the dialog itself writes nothing.
std::int32_t RunCompressDialog(std::int32_t formatCode, HWND owner = nullptr);

}  // namespace morvel
