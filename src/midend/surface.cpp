#include "midend/surface.h"

#include "game/rgb.h"

namespace zv {

void PictureSurface::fillRect(const Box& box, Rgb colour) { picture_.fillRect(box, colour); }

void PictureSurface::fillDisc(const Box& square, Rgb fill, Rgb outline, double pen) {
    picture_.fillDisc(square, fill, outline, pen);
}

}  // namespace zv
