#include "app/layout.h"

std::array<QRect, 4> CommonGrid(int W, int H)
{
    const int w = Half(W) - 1;
    const int h = Half(H) - 1;
    return {QRect(0, 0, w, h), QRect(Half(W), 0, w, h), QRect(0, Half(H), w, h),
            QRect(Half(W), Half(H), w, h)};
}
