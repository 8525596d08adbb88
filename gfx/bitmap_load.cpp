#include "gfx/bitmap_load.h"

#include "platform/platform.h"

bool showImageErrors = true;

RgbImage* LoadBitmapImage(const char* fileName)
{
    char message[kImageMessageSize];
    RgbImage* image = ReadBitmapImage(fileName, message);
    if (!image && showImageErrors) PlatformMessageBox(PlatformGetFocus(), message, "Error", MB_OK);
    return image;
}
