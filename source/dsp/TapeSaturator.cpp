#include "TapeSaturator.h"

namespace vorl
{
template class BasicTapeSaturator<double>;
} // namespace vorl
