// Layer 3, imaging/: the raster image component; uses only common/.

// The one translation unit that holds stb's image reader and writer code.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WINDOWS_UTF8
#include <stb_image.h>
#include <stb_image_write.h>
