# The picture loaders and the registry of picture formats: no widgets, so
# that the fuzzing build (fuzz/) compiles exactly these sources with its own
# compiler and sanitizers.
find_package(Qt6 6.4 REQUIRED COMPONENTS Gui Svg)
find_package(JPEG REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBWMF REQUIRED IMPORTED_TARGET libwmf)
# libwmf's gd headers include one another by bare name.
find_path(LIBWMF_GD_INCLUDE_DIR gd_io.h PATH_SUFFIXES libwmf/gd REQUIRED)
find_path(EMF2SVG_INCLUDE_DIR emf2svg.h REQUIRED)
find_library(EMF2SVG_LIBRARY emf2svg REQUIRED)
find_library(UEMF_LIBRARY uemf REQUIRED)

set(VOLTARIX_PICTURE_LOADERS_DIR ${CMAKE_CURRENT_LIST_DIR})
add_library(voltarix_picture_loaders STATIC
    ${VOLTARIX_PICTURE_LOADERS_DIR}/emf_loader.cpp
    ${VOLTARIX_PICTURE_LOADERS_DIR}/isolated_run.cpp
    ${VOLTARIX_PICTURE_LOADERS_DIR}/jpeg_loader.cpp
    ${VOLTARIX_PICTURE_LOADERS_DIR}/metafile_kind.cpp
    ${VOLTARIX_PICTURE_LOADERS_DIR}/picture_format_registry.cpp
    ${VOLTARIX_PICTURE_LOADERS_DIR}/picture_loader.cpp
    ${VOLTARIX_PICTURE_LOADERS_DIR}/raster_loader.cpp
    ${VOLTARIX_PICTURE_LOADERS_DIR}/wmf_loader.cpp
    ${VOLTARIX_PICTURE_LOADERS_DIR}/wmf_records.cpp
)
target_include_directories(voltarix_picture_loaders PUBLIC ${VOLTARIX_PICTURE_LOADERS_DIR}/../..)
target_include_directories(voltarix_picture_loaders PRIVATE ${EMF2SVG_INCLUDE_DIR} ${LIBWMF_GD_INCLUDE_DIR})
# libwmf comes before libemf2svg and libUEMF: libemf2svg is built on libUEMF,
# which exports a wmf_free of its own, and libwmf's must be the one the
# process finds first. Only libUEMF's EMF record checks are called here.
target_link_libraries(voltarix_picture_loaders
    PUBLIC Qt6::Gui
    PRIVATE Qt6::Svg JPEG::JPEG PkgConfig::LIBWMF ${EMF2SVG_LIBRARY} ${UEMF_LIBRARY})
