// The bitmap loader as the program uses it: ReadBitmapImage, and a message box when it fails.
// The asset tool reads bitmaps without it and prints the same texts instead.
#pragma once

#include "assets/bitmap_image.h"

// The loader's message boxes are shown only while this is set; true from start-up.
extern bool showImageErrors;

// Null on failure, after one message box captioned "Error", owned by the focus window, when
// showImageErrors is set.
RgbImage* LoadBitmapImage(const char* fileName);
