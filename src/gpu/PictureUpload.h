#pragma once

class Image;

// Uploads a 24-bit picture in FreeImage's layout (blue-green-red, bottom row
// first, rows padded to 4 bytes) as level 0 of the bound 2D texture, with
// the unpack alignment at 4.
void uploadPicture(const Image& image);
