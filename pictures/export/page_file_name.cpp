#include "pictures/export/page_file_name.h"

namespace voltarix::pictures {

QString PageFileName::prefix(DiagramKind kind) {
    return kind == DiagramKind::Bits17 ? QStringLiteral("17DPage") : QStringLiteral("RegDPage");
}

QString PageFileName::extension(PictureFormat format) {
    return format == PictureFormat::Bitmap ? QStringLiteral(".bmp") : QStringLiteral(".wmf");
}

QString PageFileName::timeOfDay(const QTime& time) {
    return time.toString(QStringLiteral("HH_mm_ss"));
}

QString PageFileName::shortName(const QString& pageText, const QTime& time, PictureFormat format) {
    return pageText + QLatin1Char('-') + timeOfDay(time) + extension(format);
}

QString PageFileName::fileName(DiagramKind kind, const QString& pageText, const QTime& time,
                               PictureFormat format) {
    return prefix(kind) + shortName(pageText, time, format);
}

// The metafile message names the enhanced kind although the file is a WMF.
QString PageFileName::savingMessage(PictureFormat format) {
    return format == PictureFormat::Bitmap ? QStringLiteral("Сохранение bmp файла...")
                                           : QStringLiteral("Сохранение emf файла...");
}

QString PageFileName::label(DiagramKind kind) {
    return kind == DiagramKind::Bits17 ? QStringLiteral("файл: ") : QStringLiteral("файл[R]: ");
}

int PageFileName::statusPanel(DiagramKind kind) {
    return kind == DiagramKind::Bits17 ? 3 : 4;
}

} // namespace voltarix::pictures
