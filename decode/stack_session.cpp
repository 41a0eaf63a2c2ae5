#include "decode/stack_session.h"

#include "decode/decoder_info.h"
#include "decode/library_lock.h"
#include "decode/library_thread.h"
#include "decode/valid_stack.h"

#include <glib.h>
#include <libsigrokdecode/libsigrokdecode.h>

#include <optional>

namespace voltarix::decode {

namespace {

// Keys are copied strings, values GVariants the table owns.
GHashTable* newTable() {
    return g_hash_table_new_full(g_str_hash, g_str_equal, g_free,
                                 reinterpret_cast<GDestroyNotify>(g_variant_unref));
}

struct TableDeleter {
    void operator()(GHashTable* table) const { g_hash_table_destroy(table); }
};
using Table = std::unique_ptr<GHashTable, TableDeleter>;

Table optionTable(const ValidStack::Layer& layer) {
    Table table(newTable());
    for (const auto& [id, value] : layer.options)
        g_hash_table_insert(table.get(), g_strdup(id.c_str()),
                            g_variant_ref_sink(value.toVariant()));
    return table;
}

// Channel index = pin - 1: the bit of the pin in a sample.
Table channelTable(const ValidStack::Layer& layer) {
    Table table(newTable());
    for (const auto& [id, pin] : layer.channels)
        g_hash_table_insert(table.get(), g_strdup(id.c_str()),
                            g_variant_ref_sink(g_variant_new_int32(pin - 1)));
    return table;
}

std::string refusal(const std::string& decoderId, LibraryLock& lock, int code) {
    return "Декодер " + decoderId +
           " не принял настройку: " + libraryErrorText(lock.takeErrors(), srd_strerror(code));
}

} // namespace

StackSession::~StackSession() {
    destroy();
}

void StackSession::destroy() {
    if (!session_)
        return;
    LibraryLock lock;
    srd_session_destroy(session_);
    session_ = nullptr;
}

Result<std::unique_ptr<StackSession>> StackSession::open(const ValidStack& stack,
                                                         std::uint64_t rateHz) {
    std::optional<Result<std::unique_ptr<StackSession>>> opened;
    LibraryThread::run([&] { opened.emplace(openHere(stack, rateHz)); });
    return std::move(*opened);
}

Result<std::unique_ptr<StackSession>> StackSession::openHere(const ValidStack& stack,
                                                             std::uint64_t rateHz) {
    using Opened = Result<std::unique_ptr<StackSession>>;
    auto opened = std::unique_ptr<StackSession>(new StackSession);
    {
        LibraryLock lock;
        int code = srd_session_new(&opened->session_);
        if (code != SRD_OK) {
            opened->session_ = nullptr;
            return Opened::failure("Не удалось создать сеанс декодирования: " +
                                   libraryErrorText(lock.takeErrors(), srd_strerror(code)));
        }
        for (const ValidStack::Layer& layer : stack.layers) {
            const std::string& id = layer.decoder->id;
            opened->decoderIds_.push_back(id);
            const Table options = optionTable(layer);
            srd_decoder_inst* instance = srd_inst_new(opened->session_, id.c_str(), options.get());
            if (!instance)
                return Opened::failure(refusal(id, lock, SRD_ERR_ARG));
            if (opened->layers_.empty()) {
                const Table channels = channelTable(layer);
                code = srd_inst_channel_set_all(instance, channels.get());
            } else {
                code = srd_inst_stack(opened->session_, opened->layers_.back(), instance);
            }
            if (code != SRD_OK)
                return Opened::failure(refusal(id, lock, code));
            opened->layers_.push_back(instance);
        }
        code = srd_pd_output_callback_add(opened->session_, SRD_OUTPUT_ANN,
                                          &StackSession::annotationGiven, opened.get());
        if (code == SRD_OK)
            code = srd_session_metadata_set(opened->session_, SRD_CONF_SAMPLERATE,
                                            g_variant_new_uint64(rateHz));
        if (code == SRD_OK)
            code = srd_session_start(opened->session_);
        // A decoder's start() that raises is logged, whatever the code says.
        std::vector<std::string> errors = lock.takeErrors();
        if (code != SRD_OK || !errors.empty())
            return Opened::failure(
                "Декодер " + stack.layers.front().decoder->id +
                " не принял настройку: " + libraryErrorText(errors, srd_strerror(code)));
    }
    return Opened(std::move(opened));
}

// A decoder that raises is logged by the library's thread of that stack, which may go on
// logging after the call returned: the session is ended at once, which waits for that thread,
// so that the whole account belongs to this call and none is left for the next one.
Result<> StackSession::send(std::uint64_t startSample, const std::uint8_t* samples,
                            std::size_t count) {
    if (!session_)
        return Result<>::failure("Декодер " + decoderIds_.front() + " уже остановлен.");
    LibraryLock lock;
    const int code = srd_session_send(session_, startSample, startSample + count, samples,
                                      count * kUnitSize, kUnitSize);
    std::vector<std::string> errors = lock.takeErrors();
    if (code == SRD_OK && errors.empty())
        return success();
    srd_session_destroy(session_);
    session_ = nullptr;
    for (std::string& late : lock.takeErrors())
        errors.push_back(std::move(late));
    return Result<>::failure("Декодер " + decoderIds_.front() + " остановлен из-за ошибки: " +
                             libraryErrorText(errors, srd_strerror(code)));
}

std::vector<RawAnnotation> StackSession::takeAnnotations() {
    std::lock_guard guard(mutex_);
    std::vector<RawAnnotation> taken;
    taken.swap(annotations_);
    return taken;
}

void StackSession::annotationGiven(srd_proto_data* data, void* context) {
    auto* self = static_cast<StackSession*>(context);
    const auto* annotation = static_cast<const srd_proto_data_annotation*>(data->data);
    RawAnnotation raw;
    raw.startSample = data->start_sample;
    raw.endSample = data->end_sample;
    raw.annotationClass = annotation->ann_class;
    for (std::size_t layer = 0; layer < self->layers_.size(); ++layer) {
        if (self->layers_[layer] == data->pdo->di)
            raw.layer = static_cast<int>(layer);
    }
    for (char** text = annotation->ann_text; text && *text; ++text)
        raw.texts.emplace_back(*text);
    std::lock_guard guard(self->mutex_);
    self->annotations_.push_back(std::move(raw));
}

} // namespace voltarix::decode
