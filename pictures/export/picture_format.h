#pragma once

namespace voltarix::pictures {

// The two kinds of picture a diagram page is saved as.
enum class PictureFormat { Bitmap, Metafile };

// The two diagrams whose pages are saved.
enum class DiagramKind { Bits17, Register };

} // namespace voltarix::pictures
