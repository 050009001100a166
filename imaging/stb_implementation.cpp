// Layer 3, imaging/: the raster image component; uses only common/.

// The one translation unit that holds stb's image reader and writer code.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WINDOWS_UTF8
// Only the formats the importer hands to stb, and no side larger than an
// image of this program may have.
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_GIF
#define STBI_MAX_DIMENSIONS 32767
#include <stb_image.h>
#include <stb_image_write.h>
