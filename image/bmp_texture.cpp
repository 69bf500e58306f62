// A BMP file to a mipmapped, repeating GL texture.
#include <GL/gl.h>
#include <GL/glu.h>
#include <stdlib.h>

#include "image/rgb_image.h"

void BMP_Texture(uint32_t* textureArray, const char* fileName, int32_t slot) {
    if (!fileName) return;
    RgbImage* image = auxDIBImageLoadA(fileName);
    if (!image) exit(0);  // the loader has shown why; nothing can go on without the texture

    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);  // RgbImage rows are unpadded; left in force
    glGenTextures(1, &textureArray[slot]);
    glBindTexture(GL_TEXTURE_2D, textureArray[slot]);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image->width, image->height, GL_RGB, GL_UNSIGNED_BYTE, image->pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, 10497.0f);  // GL_REPEAT
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, 10497.0f);

    if (image->pixels) free(image->pixels);
    free(image);
}
