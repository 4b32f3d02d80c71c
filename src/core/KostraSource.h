#pragma once
// Reading the KOSTRA-DWD rain of one grid cell from disk: a folder or a zip
// archive of the weather service's grid tables (one file per rain duration)
// or one file holding the table of one cell.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "core/KostraImport.h"

namespace dralun {

// The largest grid table read: the 2020 tables of the whole country, with
// intensity, depth and uncertainty columns, hold some ten megabytes.
inline constexpr std::uintmax_t kLargestKostraGridTable = 64u << 20;

struct KostraImportRequest {
    std::string indexRc;                      // the cell; needed for grid tables
    KostraUnit assumed = KostraUnit::Depth;   // a cell table whose head does not say
    std::string atlas = "KOSTRA-DWD-2020";    // of a cell table
    // Told before the first and after each grid table read (tables read,
    // tables to read); false stops the import, which then gives no cell.
    std::function<bool(std::size_t done, std::size_t total)> progress{};
};

class ZipArchive;

// The checked cell, or why there is none. A folder is read
// as the grid tables of its files whose names carry "_D<minutes>" (the atlas
// from their names); a zip archive (".zip") like a folder, see below; a grid
// table given alone is refused; any other file is read as the table of one
// cell.
KostraResult<KostraCell> ImportKostra(const std::filesystem::path& source, const KostraImportRequest& request);

// The cell from the grid tables of an archive: every member whose name
// (without the archive's folders) carries "_D<minutes>", in whichever folder
// of the archive it stands, each read into memory and bounded as a table in
// a folder is. Zip archives inside the archive are not read.
KostraResult<KostraCell> ImportKostraArchive(const ZipArchive& archive, const KostraImportRequest& request);

} // namespace dralun
