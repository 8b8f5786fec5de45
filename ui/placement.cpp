#include "ui/placement.h"

namespace kadro {

WindowPosition startPosition(int screenWidth, int screenHeight) {
    return {(screenWidth - 614) / 2, (screenHeight - 555) / 2};
}

}  // namespace kadro
