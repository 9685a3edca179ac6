#include "tools/artwork/Artwork.h"

namespace artwork {

bool drawCategoryIcons(const QString&)
{
    return true;
}

} // namespace artwork
