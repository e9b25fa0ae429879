#include "app/dpi_scale.h"

namespace tw {

int ScaleForDpi(int pixels96, int dpi) {
    const long long scaled = static_cast<long long>(pixels96) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 48) / 96 : (scaled - 48) / 96);
}

} // namespace tw
