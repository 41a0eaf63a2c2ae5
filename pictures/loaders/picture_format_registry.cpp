#include "pictures/loaders/picture_format_registry.h"

#include <algorithm>

namespace voltarix::pictures {

namespace {

QString patternOf(const QString& extension) {
    return QStringLiteral("*.") + extension;
}

} // namespace

PictureFormatRegistry::PictureFormatRegistry()
    : formats_{
          {QStringLiteral("wmf"), QStringLiteral("Metafiles"), PictureKind::Metafile},
          {QStringLiteral("emf"), QStringLiteral("Enhanced Metafiles"), PictureKind::Metafile},
          {QStringLiteral("ico"), QStringLiteral("Icons"), PictureKind::Icon},
          {QStringLiteral("bmp"), QStringLiteral("Bitmaps"), PictureKind::Bitmap},
          {QStringLiteral("jpeg"), QStringLiteral("JPEG Image File"), PictureKind::Jpeg},
          {QStringLiteral("jpg"), QStringLiteral("JPEG Image File"), PictureKind::Jpeg},
      } {}

QVector<PictureFormatRegistry::FilterEntry>
PictureFormatRegistry::entriesOf(const QVector<Format>& formats) const {
    QVector<FilterEntry> entries;
    QStringList all;
    for (auto format = formats.crbegin(); format != formats.crend(); ++format) {
        const QString pattern = patternOf(format->extension);
        entries.push_back({format->description + QStringLiteral(" (") + pattern + u')', {pattern}});
        all << pattern;
    }
    if (entries.size() > 1)
        entries.prepend({QStringLiteral("All (") + all.join(u';') + u')', all});
    return entries;
}

QVector<PictureFormatRegistry::FilterEntry> PictureFormatRegistry::filterEntries() const {
    return entriesOf(formats_);
}

QVector<PictureFormatRegistry::FilterEntry>
PictureFormatRegistry::filterEntries(PictureKind kind) const {
    QVector<Format> ofKind;
    std::copy_if(formats_.cbegin(), formats_.cend(), std::back_inserter(ofKind),
                 [kind](const Format& format) { return format.kind == kind; });
    return entriesOf(ofKind);
}

QString PictureFormatRegistry::defaultExtension(PictureKind kind) const {
    const auto newest = std::find_if(formats_.crbegin(), formats_.crend(),
                                     [kind](const Format& format) { return format.kind == kind; });
    return newest == formats_.crend() ? QString() : newest->extension;
}

QString PictureFormatRegistry::joinedFilter(const QVector<FilterEntry>& entries) {
    QStringList parts;
    for (const FilterEntry& entry : entries)
        parts << entry.description << entry.patterns.join(u';');
    return parts.join(u'|');
}

QStringList PictureFormatRegistry::qtNameFilters(const QVector<FilterEntry>& entries) {
    QStringList filters;
    for (const FilterEntry& entry : entries)
        filters << entry.description + QStringLiteral(" (") + entry.patterns.join(u' ') + u')';
    return filters;
}

} // namespace voltarix::pictures
