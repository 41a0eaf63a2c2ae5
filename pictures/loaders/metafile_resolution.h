#pragma once

namespace voltarix::pictures {

// Device pixels per inch at which a metafile is made into pixels. A viewer
// gives its screen's (logical dots per inch times the device pixel ratio), so
// that a page saved on that screen opens at the size the screen showed; where
// no screen is asked, the 96 of an unscaled screen.
inline constexpr double kUnscaledScreenDpi = 96.0;

} // namespace voltarix::pictures
