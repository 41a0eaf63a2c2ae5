#pragma once

#include <QByteArray>

namespace voltarix::pictures {

// Which metafile a file holds, told from its first bytes, whatever its name
// says: a ".emf" name may hold a Windows metafile and the other way round.
enum class MetafileKind { Unknown, Windows, Enhanced };

MetafileKind metafileKindOf(const QByteArray& bytes);

} // namespace voltarix::pictures
