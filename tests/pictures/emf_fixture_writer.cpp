// Writes the enhanced metafiles the picture tests and the fuzzers' seed
// corpus open. Built apart from everything that links libwmf: libUEMF
// exports a wmf_free of its own, and the two must never meet in one program.
//
// Usage: emf_fixture_writer DIR  (writes DIR/drawing.emf)
#include <uemf.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The picture: 320 x 240 pixels on a 96 dpi reference device, so that its
// frame in hundredths of a millimetre comes back to exactly that size.
constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr double kHundredthsPerPixel = 2540.0 / 96.0;

int hundredths(int pixels) {
    return int(pixels * kHundredthsPerPixel + 0.5);
}

class EmfFile {
public:
    explicit EmfFile(const std::string& path) {
        emf_start(path.c_str(), 1 << 16, 1 << 12, &track_);
        emf_htable_create(16, 16, &handles_);
    }
    ~EmfFile() {
        emf_free(&track_);
        emf_htable_free(&handles_);
    }
    EmfFile(const EmfFile&) = delete;
    EmfFile& operator=(const EmfFile&) = delete;

    void add(char* record) { emf_append(reinterpret_cast<U_ENHMETARECORD*>(record), track_, 1); }
    EMFHANDLES* handles() { return handles_; }
    EMFTRACK* track() { return track_; }
    bool finish() { return emf_finish(track_, handles_) == 0; }

private:
    EMFTRACK* track_ = nullptr;
    EMFHANDLES* handles_ = nullptr;
};

U_RECTL rect(int left, int top, int right, int bottom) {
    return rectl_set(pointl_set(left, top), pointl_set(right, bottom));
}

void addHeader(EmfFile& file) {
    const U_RECTL bounds = rect(0, 0, kWidth - 1, kHeight - 1);
    const U_RECTL frame = rect(0, 0, hundredths(kWidth), hundredths(kHeight));
    const U_SIZEL device = sizel_set(1920, 1080);
    const U_SIZEL millimetres = sizel_set(508, 286); // 1920 x 1080 at 96 dpi
    file.add(U_EMRHEADER_set(bounds, frame, nullptr, 0, nullptr, device, millimetres, 0));
    file.add(U_EMRSETMAPMODE_set(U_MM_TEXT));
    file.add(U_EMRSETBKMODE_set(U_TRANSPARENT));
}

void selectPen(EmfFile& file, U_COLORREF colour, int width) {
    uint32_t pen = 0;
    file.add(createpen_set(&pen, file.handles(),
                           logpen_set(U_PS_SOLID, point_set(width, width), colour)));
    file.add(selectobject_set(pen, file.handles()));
}

void selectBrush(EmfFile& file, U_COLORREF colour) {
    uint32_t brush = 0;
    file.add(createbrushindirect_set(&brush, file.handles(), logbrush_set(U_BS_SOLID, colour, 0)));
    file.add(selectobject_set(brush, file.handles()));
}

void addDrawing(EmfFile& file) {
    selectPen(file, colorref3_set(0, 0, 0), 1);
    selectBrush(file, colorref3_set(255, 255, 0));
    file.add(U_EMRRECTANGLE_set(rect(20, 20, 140, 100)));
    selectBrush(file, colorref3_set(0, 0, 255));
    const std::vector<U_POINTL> triangle{pointl_set(200, 20), pointl_set(300, 20),
                                         pointl_set(300, 120)};
    file.add(U_EMRPOLYGON_set(rect(200, 20, 300, 120), uint32_t(triangle.size()), triangle.data()));
    selectPen(file, colorref3_set(255, 0, 0), 3);
    const std::vector<U_POINTL> roof{pointl_set(0, 239), pointl_set(160, 140),
                                     pointl_set(319, 239)};
    file.add(U_EMRPOLYLINE_set(rect(0, 140, 319, 239), uint32_t(roof.size()), roof.data()));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    const std::string path = std::string(argv[1]) + "/drawing.emf";
    EmfFile file(path);
    addHeader(file);
    addDrawing(file);
    file.add(U_EMREOF_set(0, nullptr, file.track()));
    if (!file.finish()) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
