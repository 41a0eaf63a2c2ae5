#include "decode/decoder_catalog.h"

#include "decode/library_lock.h"
#include "decode/library_thread.h"
#include "decode/option_value.h"

#include <glib.h>
#include <libsigrokdecode/libsigrokdecode.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>

namespace voltarix::decode {

namespace {

std::string text(const char* value) {
    return value ? value : "";
}

std::vector<std::string> texts(const GSList* list) {
    std::vector<std::string> result;
    for (const GSList* l = list; l; l = l->next)
        result.push_back(text(static_cast<const char*>(l->data)));
    return result;
}

std::vector<ChannelInfo> channels(const GSList* list) {
    std::vector<ChannelInfo> result;
    for (const GSList* l = list; l; l = l->next) {
        const auto* channel = static_cast<const srd_channel*>(l->data);
        result.push_back({text(channel->id), text(channel->name), text(channel->desc)});
    }
    return result;
}

std::vector<OptionInfo> options(const GSList* list) {
    std::vector<OptionInfo> result;
    for (const GSList* l = list; l; l = l->next) {
        const auto* declared = static_cast<const srd_decoder_option*>(l->data);
        OptionInfo option{text(declared->id), text(declared->desc), OptionType::Text, {}, {}};
        if (declared->def) {
            OptionValue::typeOf(declared->def, option.type);
            option.defaultValue = OptionValue::textOf(declared->def);
        }
        for (const GSList* v = declared->values; v; v = v->next)
            option.allowedValues.push_back(OptionValue::textOf(static_cast<GVariant*>(v->data)));
        result.push_back(std::move(option));
    }
    return result;
}

// Each class is a pair of strings: id and description.
std::vector<AnnotationClassInfo> annotationClasses(const GSList* list) {
    std::vector<AnnotationClassInfo> result;
    for (const GSList* l = list; l; l = l->next) {
        const auto* pair = static_cast<char* const*>(l->data);
        result.push_back({text(pair[0]), pair[0] ? text(pair[1]) : std::string()});
    }
    return result;
}

std::vector<AnnotationRowInfo> annotationRows(const srd_decoder& decoder, std::size_t classCount) {
    std::vector<AnnotationRowInfo> rows;
    std::vector<bool> placed(classCount, false);
    for (const GSList* l = decoder.annotation_rows; l; l = l->next) {
        const auto* declared = static_cast<const srd_decoder_annotation_row*>(l->data);
        AnnotationRowInfo row{text(declared->id), text(declared->desc), {}};
        for (const GSList* c = declared->ann_classes; c; c = c->next) {
            const int annotationClass = GPOINTER_TO_INT(c->data);
            row.classes.push_back(annotationClass);
            if (annotationClass >= 0 && static_cast<std::size_t>(annotationClass) < classCount)
                placed[static_cast<std::size_t>(annotationClass)] = true;
        }
        rows.push_back(std::move(row));
    }
    AnnotationRowInfo rest{"", text(decoder.name), {}};
    for (std::size_t c = 0; c < classCount; ++c) {
        if (!placed[c])
            rest.classes.push_back(static_cast<int>(c));
    }
    if (!rest.classes.empty())
        rows.push_back(std::move(rest));
    return rows;
}

DecoderInfo describe(const srd_decoder& decoder) {
    DecoderInfo info;
    info.id = text(decoder.id);
    info.name = text(decoder.name);
    info.longName = text(decoder.longname);
    info.description = text(decoder.desc);
    info.channels = channels(decoder.channels);
    info.optionalChannels = channels(decoder.opt_channels);
    info.options = options(decoder.options);
    info.annotationClasses = annotationClasses(decoder.annotations);
    info.annotationRows = annotationRows(decoder, info.annotationClasses.size());
    info.inputs = texts(decoder.inputs);
    info.outputs = texts(decoder.outputs);
    return info;
}

// A decoder is a Python package: a directory with an __init__.py.
bool holdsDecoders(const std::filesystem::path& directory) {
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(directory, error)) {
        if (std::filesystem::exists(item.path() / "__init__.py", error))
            return true;
    }
    return false;
}

std::string inGuillemets(const std::filesystem::path& path) {
    return "«" + path.string() + "»";
}

std::string listed(const std::vector<std::filesystem::path>& directories) {
    std::string text;
    for (const auto& directory : directories) {
        if (!text.empty())
            text += ", ";
        text += directory.string();
    }
    return text;
}

// An extra directory must exist and hold decoders, whether or not the library is loaded.
Result<> checkExtraDirectory(const std::filesystem::path& directory) {
    if (directory.empty())
        return success();
    std::error_code error;
    if (!std::filesystem::is_directory(directory, error))
        return Result<>::failure("Каталог декодеров " + inGuillemets(directory) + " не найден.");
    if (!holdsDecoders(directory))
        return Result<>::failure("В каталоге декодеров " + inGuillemets(directory) +
                                 " нет ни одного декодера.");
    return success();
}

bool sameDirectory(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code error;
    return a == b || std::filesystem::equivalent(a, b, error);
}

} // namespace

// Builds the catalog from the loaded library; keeps the loading steps out of the class.
class CatalogLoader {
public:
    static Result<std::unique_ptr<DecoderCatalog>> load(const std::filesystem::path& extra);
};

Result<std::unique_ptr<DecoderCatalog>>
CatalogLoader::load(const std::filesystem::path& extraDirectory) {
    using Loaded = Result<std::unique_ptr<DecoderCatalog>>;
    LibraryLock lock;
    LibraryLock::installLogHandler();
    const int started = srd_init(extraDirectory.empty() ? nullptr : extraDirectory.c_str());
    if (started != SRD_OK) {
        return Loaded::failure("Не удалось запустить библиотеку декодеров libsigrokdecode: " +
                               libraryErrorText(lock.takeErrors(), srd_strerror(started)));
    }

    auto catalog = std::unique_ptr<DecoderCatalog>(new DecoderCatalog);
    catalog->extraDirectory_ = extraDirectory;
    catalog->libraryVersion_ = text(srd_package_version_string_get());
    GSList* paths = srd_searchpaths_get();
    for (GSList* l = paths; l; l = l->next)
        catalog->directories_.emplace_back(static_cast<const char*>(l->data));
    g_slist_free_full(paths, g_free);

    srd_decoder_load_all();
    catalog->loadErrors_ = lock.takeErrors();
    for (const GSList* l = srd_decoder_list(); l; l = l->next)
        catalog->decoders_.push_back(describe(*static_cast<const srd_decoder*>(l->data)));
    std::sort(catalog->decoders_.begin(), catalog->decoders_.end(),
              [](const DecoderInfo& a, const DecoderInfo& b) { return a.id < b.id; });

    if (catalog->decoders_.empty()) {
        // Nothing to offer: leave the library unloaded so that a later load may try again.
        srd_exit();
        return Loaded::failure(
            "Не найдено ни одного декодера протоколов: каталоги декодеров отсутствуют или "
            "пусты (" +
            listed(catalog->directories_) + "). Установите пакет libsigrokdecode4.");
    }
    return Loaded(std::move(catalog));
}

namespace {

std::mutex loadMutex;
std::unique_ptr<DecoderCatalog> theCatalog;
std::atomic<const DecoderCatalog*> published = nullptr;

} // namespace

Result<const DecoderCatalog*> DecoderCatalog::load(const std::filesystem::path& extraDirectory) {
    if (Result<> usable = checkExtraDirectory(extraDirectory); !usable)
        return Result<const DecoderCatalog*>::failure(usable.error());
    std::lock_guard guard(loadMutex);
    if (theCatalog) {
        if (extraDirectory.empty() || sameDirectory(extraDirectory, theCatalog->extraDirectory_))
            return theCatalog.get();
        return Result<const DecoderCatalog*>::failure(
            "Библиотека декодеров уже загружена, каталог " + inGuillemets(extraDirectory) +
            " к ней не добавить.");
    }
    std::optional<Result<std::unique_ptr<DecoderCatalog>>> result;
    LibraryThread::run([&] { result.emplace(CatalogLoader::load(extraDirectory)); });
    Result<std::unique_ptr<DecoderCatalog>>& loaded = *result;
    if (!loaded)
        return Result<const DecoderCatalog*>::failure(loaded.error());
    theCatalog = std::move(loaded).value();
    published.store(theCatalog.get(), std::memory_order_release);
    return theCatalog.get();
}

const DecoderCatalog* DecoderCatalog::loaded() {
    return published.load(std::memory_order_acquire);
}

const DecoderInfo* DecoderCatalog::find(std::string_view id) const {
    const auto found = std::lower_bound(
        decoders_.begin(), decoders_.end(), id,
        [](const DecoderInfo& decoder, std::string_view wanted) { return decoder.id < wanted; });
    return found != decoders_.end() && found->id == id ? &*found : nullptr;
}

std::vector<const DecoderInfo*> DecoderCatalog::lineDecoders() const {
    std::vector<const DecoderInfo*> result;
    for (const DecoderInfo& decoder : decoders_) {
        if (decoder.readsLines())
            result.push_back(&decoder);
    }
    return result;
}

std::vector<const DecoderInfo*> DecoderCatalog::decodersOn(const DecoderInfo& lower) const {
    std::vector<const DecoderInfo*> result;
    for (const DecoderInfo& decoder : decoders_) {
        if (decoder.stacksOn(lower))
            result.push_back(&decoder);
    }
    return result;
}

} // namespace voltarix::decode
