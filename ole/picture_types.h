// The picture types of the Import and Export dialogs: the position in the
// picture filter list plus 100. Save As counts the same types two places
// further on, after the drawing and the template.
#pragma once

enum PictureType : int {
    kPictureWmf = 101,
    kPictureBmp = 102,
    kPicturePcx = 103,
    kPictureTiff = 104,
    kPictureGif = 105,
    kPictureJpeg = 106,
};

const int kPictureTypeOffset = 100;
const int kPictureFilters = 1001;        // the picture filter list string
const int kPictureDialogTemplate = 1536;
