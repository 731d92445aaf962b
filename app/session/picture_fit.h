// How the window fits the sky picture into its picture area: the design's
// picture at the design size, the same picture scaled up in the whole area
// when there is room for more.
#pragma once

namespace app {

struct PictureFit {
    double scale = 1.0;    // picture pixels per design pixel
    double originX = 0.0;  // the picture's top-left corner in the area, pixels
    double originY = 0.0;
    friend bool operator==(const PictureFit&, const PictureFit&) = default;
};

// Scale steps of an eighth: a window a few pixels larger than the design
// keeps the design's picture exactly, and star discs stay on whole steps.
inline constexpr double kPictureScaleStep = 0.125;

// fitPicture: the largest scale, in steps of kPictureScaleStep, at which the
// whole picture (pictureWidth x pictureHeight pixels at scale 1) fits the
// area, and the picture centred there. Below two steps above 1 nothing
// moves: scale 1 at (0, 0), the design's picture. Sizes that are not
// positive and finite give that too.
PictureFit fitPicture(double areaWidth, double areaHeight, double pictureWidth, double pictureHeight);

}  // namespace app
