#include "pictures/export/picture_save_filter.h"

namespace voltarix::pictures {

namespace {

struct Registered {
    QString description;
    QString extension;
};

// The formats of one kind, newest registration first.
QList<Registered> registered(PictureFormat format) {
    if (format == PictureFormat::Bitmap)
        return {{QStringLiteral("Bitmaps"), QStringLiteral("bmp")}};
    return {{QStringLiteral("Enhanced Metafiles"), QStringLiteral("emf")},
            {QStringLiteral("Metafiles"), QStringLiteral("wmf")}};
}

QString entry(const QString& description, const QString& patterns) {
    return description + QStringLiteral(" (") + patterns + QLatin1Char(')');
}

} // namespace

QStringList PictureSaveFilter::entries(PictureFormat format) {
    const QList<Registered> formats = registered(format);
    QStringList all;
    QStringList out;
    for (const Registered& f : formats) {
        all << QStringLiteral("*.") + f.extension;
        out << entry(f.description, QStringLiteral("*.") + f.extension);
    }
    if (formats.size() > 1)
        out.prepend(entry(QStringLiteral("All"), all.join(QLatin1Char(';'))));
    return out;
}

QStringList PictureSaveFilter::patterns(const QString& entry) {
    const qsizetype open = entry.lastIndexOf(QLatin1Char('('));
    const qsizetype close = entry.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close < open)
        return {};
    return entry.mid(open + 1, close - open - 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

QString PictureSaveFilter::defaultExtension(PictureFormat format) {
    return registered(format).first().extension;
}

} // namespace voltarix::pictures
