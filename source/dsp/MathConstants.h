#pragma once

namespace vorl
{
// π as a portable constant: M_PI is a POSIX extension that strict C++ on Windows lacks.
inline constexpr double kPi = 3.14159265358979323846;
} // namespace vorl
