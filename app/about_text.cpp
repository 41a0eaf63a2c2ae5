#include "app/about_text.h"

#include <QString>
#include <QStringList>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

namespace voltarix::app {

namespace {

const QStringList analyserCapabilities{
    QStringLiteral("Графики в 2-D и 3-D виде."),
    QStringLiteral("Две независимые диаграммы: 17-канальный осциллограф (один бит на канал) и "
                   "график регистров порта (входного, выходного и контроля)."),
    QStringLiteral("Регулируемая скорость анализа."),
    QStringLiteral("Общий счёт циклов анализа за всё время работы графика."),
    QStringLiteral("Программируемое число циклов; графики хранятся в памяти, глубина ограничена "
                   "только свободной памятью."),
    QStringLiteral("Ресурсосберегающий режим для быстрых протоколов на медленных машинах "
                   "(процессоры 100-500 МГц): вывод графики отключается, графики хранятся только "
                   "в памяти, анализ идёт в десятки раз быстрее, а просмотр после записи - "
                   "обычный. Рекомендуется для кодированных сигналов ИК-сигнализаций, ИК "
                   "кодовых замков и пультов ДУ. Такое же отключение доступно для каждого бита в "
                   "отдельности, чтобы не строить графики, ненужные в данном измерении."),
    QStringLiteral("Плавная, постраничная и правой кнопкой мыши прокрутка с регулируемой скоростью "
                   "и шагом, автоматическое сжатие всей диаграммы в одну страницу."),
    QStringLiteral("Сохранение снимка выбранной страницы 1:1 в формате BMP или WMF (метафайл "
                   "Windows) и автоматическое сохранение каждой новой страницы в отдельный файл."),
    QStringLiteral("Встроенный просмотрщик графических файлов."),
};

const QStringList portModuleCapabilities{
    QStringLiteral("Автоматическая регистрация драйвера в Windows XP при правах администратора."),
    QStringLiteral("Автоматическая проверка установленных портов и внесение их в список."),
    QStringLiteral("Одновременное чтение регистров данных, контроля и состояния выбранного порта."),
    QStringLiteral("Одновременное отображение регистров в виде Hex и Byte."),
    QStringLiteral("Запись в порт в виде Hex и Byte."),
    QStringLiteral("Отображение логического (1/0) состояния выводов в реальном времени."),
    QStringLiteral("Управление выводами с помощью Pin клавиатуры."),
    QStringLiteral("Тест двунаправленного порта (если разрешено в BIOS), режим ввода/вывода и "
                   "контроль переключения приём/передача (режим EPP)."),
    QStringLiteral("Доступны исходные тексты, описания, примеры и шаблоны программ для управления "
                   "устройствами через LPT порт, с поддержкой на сайте автора."),
};

QTextCharFormat boldFormat() {
    QTextCharFormat format;
    format.setFontWeight(QFont::Bold);
    return format;
}

void insertNumbered(QTextCursor& cursor, const QStringList& items) {
    QTextListFormat numbering;
    numbering.setStyle(QTextListFormat::ListDecimal);
    numbering.setIndent(1);
    cursor.insertList(numbering);
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (i > 0)
            cursor.insertBlock();
        cursor.insertText(items[i]);
    }
    // Leave the list: the next paragraph is plain again.
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
}

} // namespace

QString aboutVersionLine() {
    return QStringLiteral("            Версия  1.3    (обновлена  21. 08. 04)");
}

void writeAboutText(QTextDocument& document) {
    document.clear();
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("  Графический   запоминающий анализатор-"), boldFormat());
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("осциллограф имеет следующие возможности:"), boldFormat());
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    insertNumbered(cursor, analyserCapabilities);

    cursor.insertText(QStringLiteral(
        "Модуль управления портом построен на ядре кода более ранней программы для LPT порта, "
        "работающей через драйвер ввода/вывода LPTWDMIO. Его возможности:"));
    cursor.insertBlock();
    insertNumbered(cursor, portModuleCapabilities);

    cursor.insertText(QString(25, QLatin1Char('^')));
    cursor.insertBlock();
    cursor.insertText(QStringLiteral(
        "Автор будет рад отзывам, замечаниям и предложениям: их можно оставить на странице "
        "проекта или в его гостевой книге."));
    cursor.insertBlock();
    cursor.insertText(aboutVersionLine(), boldFormat());
    document.setModified(false);
}

} // namespace voltarix::app
